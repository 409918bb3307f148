#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"
#include "model/SettingsFile.h"

#include <QBuffer>
#include <array>
#include <functional>
#include <vector>

namespace {

using TIds = std::vector<uint8_t>;

struct TScreen {
    const char* Name;
    int MinIds, MaxIds; // missing trailing ids are 0 (no parameter)
    // The ids drawn without --ids: the record's first screen of the kind.
    std::function<TIds(const TDisplaySettings&)> RecordIds;
    std::function<void(TMKPreview&, const TIds&)> Draw;
};

template <std::size_t N> TIds IdsOf(const uint8_t (&ids)[N]) {
    return TIds(ids, ids + N);
}

template <std::size_t N> std::span<const uint8_t, N> Fixed(const TIds& ids) {
    return std::span<const uint8_t, N>(ids.data(), N);
}

// The sample parameter the editor previews single-value screens with.
constexpr uint8_t OneValueSample = 12;

const std::array<TScreen, 8>& Screens() {
    static const std::array<TScreen, 8> screens = {{
        {"one", 1, 1, [](const TDisplaySettings&) { return TIds{OneValueSample}; },
         [](TMKPreview& p, const TIds& ids) { p.PreviewOneValue(ids[0]); }},
        {"four", 4, 4, [](const TDisplaySettings& d) { return IdsOf(d.Screens4[0]); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewFourValues(Fixed<4>(ids)); }},
        {"six", 6, 6, [](const TDisplaySettings& d) { return IdsOf(d.Screen6); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewSixValues(Fixed<6>(ids)); }},
        {"seven", 7, 7, [](const TDisplaySettings& d) { return IdsOf(d.Screens7[0]); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewSevenRows(Fixed<7>(ids)); }},
        {"nine", 9, 9, [](const TDisplaySettings& d) { return IdsOf(d.Screens9[0]); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewNineValues(Fixed<9>(ids)); }},
        {"dials", 2, 2, [](const TDisplaySettings& d) { return IdsOf(d.ArrowScreens[0]); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewDials(ids[0], ids[1]); }},
        {"graph", 1, 2, [](const TDisplaySettings& d) { return IdsOf(d.GraphScreens[0]); },
         [](TMKPreview& p, const TIds& ids) { p.PreviewGraph(ids[0], ids[1]); }},
        {"menu", 0, 0, [](const TDisplaySettings&) { return TIds{}; },
         [](TMKPreview& p, const TIds&) { p.PreviewMenu(); }},
    }};
    return screens;
}

const TScreen& ScreenNamed(const QString& name) {
    for (const TScreen& screen : Screens())
        if (name == QLatin1String(screen.Name))
            return screen;
    throw Cli::TUsageError{QStringLiteral("Неизвестный экран: %1\nИспользование: %2")
                               .arg(name, Cli::UsageOf(QStringLiteral("preview")))};
}

TIds ParseIds(const QString& text, const TScreen& screen) {
    TIds ids;
    if (!text.isEmpty())
        for (const QString& part : text.split(QLatin1Char(','))) {
            const long long id = Cli::ParseNumber(part);
            if (id < 0 || id > 255)
                throw Cli::TUsageError{QStringLiteral("Идентификатор вне диапазона 0..255: ") +
                                       part};
            ids.push_back(uint8_t(id));
        }
    if (int(ids.size()) < screen.MinIds || int(ids.size()) > screen.MaxIds)
        throw Cli::TUsageError{
            QStringLiteral("Экрану %1 нужно идентификаторов: %2")
                .arg(QLatin1String(screen.Name),
                     screen.MinIds == screen.MaxIds
                         ? QString::number(screen.MinIds)
                         : QStringLiteral("%1..%2").arg(screen.MinIds).arg(screen.MaxIds))};
    return ids;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw TMKError(QStringLiteral("Не удаётся записать изображение PNG"));
    return bytes;
}

} // namespace

int RunPreview(const QStringList& args) {
    const Cli::TArgs options(args, QStringLiteral("preview"));
    options.ExpectPositional(0, Cli::UsageOf(QStringLiteral("preview")));
    const auto screenName = options.Value("--screen");
    const auto output = options.Value("-o");
    if (!screenName || !output)
        throw Cli::TUsageError{QStringLiteral("Использование: ") +
                               Cli::UsageOf(QStringLiteral("preview"))};
    const TScreen& screen = ScreenNamed(*screenName);

    TMK mk;
    if (const auto file = options.Value("--file")) {
        SettingsFile::Load(mk, *file);
        // The parameters the device of the file offers, as the editor would show them.
        mk.RebuildProtocolList();
    }
    TIds ids = options.Value("--ids") ? ParseIds(*options.Value("--ids"), screen)
                                      : screen.RecordIds(mk.Record.DisplaySettings);
    ids.resize(std::size_t(screen.MaxIds), 0);

    mk.Preview->SchemeIsUser = options.Has("--scheme-user") ? 1 : 0;
    screen.Draw(*mk.Preview, ids);
    Cli::WriteFileBytes(*output, PngBytes(mk.Preview->PreviewSurface));
    return Cli::ExitOk;
}
