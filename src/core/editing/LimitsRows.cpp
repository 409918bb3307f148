// "Границы" and "Озвуч.сообщения": the warning thresholds, what the current protocol can
// measure deciding which show, and how each of the 24 warnings is presented.

#include "catalog/DeviceFlags.h"
#include "catalog/Protocols.h"
#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"
#include "editing/WarningTable.h"

#include <QHash>

namespace {

const QString Limits = QStringLiteral("TabSheet1");
const QString Voice = QStringLiteral("tsVoice");

constexpr int J1939Code = 14;
constexpr int CanCode = 1;
constexpr int VagCode = 82;
constexpr int Battery24VBit = 11;

using TProtocolRule = std::function<bool(const TProtBase&, const TDeviceFlags&)>;

bool Retarder(const TProtBase& p, const TDeviceFlags& f) {
    return p.ProtCode == J1939Code && f.J1939Extended;
}

TEditorRule ByProtocol(TProtocolRule rule) {
    return [rule](const TSettingsEditor& e) { return rule(e.Protocol(), e.Flags()); };
}

TControlRow Limit(const QString& name, const QString& caption, double min, double max,
                  double step = 1, TProtocolRule shown = {}) {
    TControlRow row = Placed(Spin(name, caption, min, max, step), Limits);
    if (shown)
        row.VisibleRule = ByProtocol(shown);
    return row;
}

TControlRow Volts(const QString& name, const QString& caption, TRange normal, TRange with24V) {
    TControlRow row = Placed(Tenths(Spin(name, caption, normal.Min, normal.Max, 1, 1)), Limits);
    row.RangeRule = [normal, with24V](const TSettingsEditor& e) {
        return e.Flags().Is24V ? with24V : normal;
    };
    return row;
}

std::vector<TControlRow> LimitRows() {
    const auto has = [](uint8_t TProtBase::*property) {
        return [property](const TProtBase& p, const TDeviceFlags&) { return p.*property != 0; };
    };
    TControlRow velocity = Halves(
        Limit(QStringLiteral("seVelocityLimit"), QStringLiteral("Скорость, км/час"), 40, 200, 2));
    // Halves lose the odd speeds: the control shows at once what was stored.
    velocity.After = [](TSettingsEditor& e) { e.Reload(QStringLiteral("seVelocityLimit")); };

    TControlRow fan =
        Limit(QStringLiteral("seVentTempLimit"), QStringLiteral("Т вкл. вентилятора, С"), 75, 115,
              1, [](const TProtBase& p, const TDeviceFlags&) {
                  return p.HasFanControl != 0 || p.IsHybrid != 0;
              });
    fan.RangeRule = [](const TSettingsEditor& e) {
        return e.Protocol().IsHybrid ? TRange{25, 60} : TRange{75, 115};
    };

    const TControlRow arrow =
        Placed(InLine(Radio(QStringLiteral("rgExp100ArrowLim"),
                            QStringLiteral("Показ расхода/100 на стрелочн. диспл."),
                            {QStringLiteral("24/80"), QStringLiteral("24"), QStringLiteral("80")})),
               Limits);

    TControlRow mode = Radio(QStringLiteral("rg24VMode"), QStringLiteral("Режим работы с АКБ"),
                             {QStringLiteral("12В"), QStringLiteral("24В")});
    Bind::Bit(mode, QStringLiteral("ProtocolFlags"), Battery24VBit);
    mode = Placed(Shows(InLine(mode), Only(&TDeviceFlags::Is24V)), Limits);
    // Only shows the mode the MK runs in.
    mode.EnabledRule = [](const TSettingsEditor&) { return false; };

    // In reading order: engine and oil in the left column, the rest in the right one.
    std::vector<TControlRow> rows{
        Limit(QStringLiteral("seLiqTemperLimit"), QStringLiteral("ТОЖ, С"), 80, 120, 1,
              has(&TProtBase::HasCoolantTemp)),
        Limit(QStringLiteral("seLiqTemperReady"), QStringLiteral("Т прогрева двигателя, С"), 10,
              110, 1, has(&TProtBase::HasCoolantTemp)),
        Limit(QStringLiteral("seRevolutionsLimit"), QStringLiteral("Обороты двиг., об/мин * 100"),
              25, 80),
        fan,
        Limit(QStringLiteral("seInjTimeLimit"), QStringLiteral("Превыш. времени впр. на ХХ ,%"), 1,
              99),
        Limit(QStringLiteral("seVAGSFilterLimit"), QStringLiteral("Наполнение сажевого фильтра, %"),
              5, 60, 1,
              [](const TProtBase& p, const TDeviceFlags&) { return p.ProtCode == VagCode; }),
        Limit(QStringLiteral("seOilAKPPTemperLimit"), QStringLiteral("Т масла АКПП, С"), 80, 150, 1,
              has(&TProtBase::HasGearboxOilTemp)),
        Limit(QStringLiteral("seOilEngTemperLimit"), QStringLiteral("Т масла ДВС, С"), 80, 150, 1,
              has(&TProtBase::HasEngineOilTemp)),
        Limit(QStringLiteral("seCVTFDeteriorLim"), QStringLiteral("Износ масла АКПП * 1000"), 10,
              100, 1,
              [](const TProtBase& p, const TDeviceFlags&) { return p.ProtCode == CanCode; }),
        Limit(QStringLiteral("seRetarderOilTemperLimit"), QStringLiteral("Т масла ретардера, С"),
              30, 200, 1, Retarder),
        velocity,
        Limit(QStringLiteral("seStopVelocityLimit"), QStringLiteral("Скорость  пробки, км/час"), 0,
              200, 2),
        Limit(QStringLiteral("seVel100"), QStringLiteral("Разгон до, км/час"), 40, 200, 2),
        Limit(QStringLiteral("seVel100Down"), QStringLiteral("Торможение с, км/час"), 40, 200, 2),
        Limit(QStringLiteral("seTankLimit"), QStringLiteral("Остаток бака, л"), 5, 99, 2),
        Volts(QStringLiteral("seUaccLowLimit"), QStringLiteral("Низкое напряжение АКБ, В"),
              {9.0, 13.9}, {18.0, 27.8}),
        Volts(QStringLiteral("seUaccHighLimit"), QStringLiteral("Высокое напряжение АКБ, В"),
              {14.0, 16.0}, {28.0, 32.0}),
        mode,
        Limit(QStringLiteral("seInvTemperLimit"), QStringLiteral("Т инвертора"), 50, 120, 1,
              has(&TProtBase::IsHybrid)),
        Limit(QStringLiteral("seHVBTemperLimit"), QStringLiteral("Т ВВБ"), 25, 60, 1,
              has(&TProtBase::IsHybrid)),
        arrow,
    };
    const QHash<QString, QString> groups{
        {"seLiqTemperLimit", "Двигатель"},
        {"seRevolutionsLimit", "Двигатель"},
        {"seVentTempLimit", "Двигатель"},
        {"seInjTimeLimit", "Двигатель"},
        {"seLiqTemperReady", "Двигатель"},
        {"seVAGSFilterLimit", "Двигатель"},
        {"seOilAKPPTemperLimit", "Масло"},
        {"seOilEngTemperLimit", "Масло"},
        {"seCVTFDeteriorLim", "Масло"},
        {"seRetarderOilTemperLimit", "Масло"},
        {"seVelocityLimit", "Движение и бак"},
        {"seStopVelocityLimit", "Движение и бак"},
        {"seVel100", "Движение и бак"},
        {"seVel100Down", "Движение и бак"},
        {"seTankLimit", "Движение и бак"},
        {"seUaccLowLimit", "АКБ"},
        {"seUaccHighLimit", "АКБ"},
        {"rg24VMode", "АКБ"},
        {"seInvTemperLimit", "Гибрид"},
        {"seHVBTemperLimit", "Гибрид"},
    };
    const QStringList right{"Движение и бак", "АКБ", "Гибрид"};
    for (TControlRow& row : rows) {
        row.Group = groups.value(row.Name);
        row.Column = row.Group.isEmpty() || right.contains(row.Group) ? 1 : 0;
    }
    return rows;
}

std::vector<TControlRow> VoiceRows() {
    const auto onVoice = [](TControlRow row, bool hiddenWithoutVoice = false) {
        row = Placed(row, Voice, QStringLiteral("Озвучивание"));
        if (hiddenWithoutVoice)
            row.VisibleRule = Unless(&TDeviceFlags::NoVoice);
        return row;
    };
    const TControlRow flagSound =
        InLine(Radio(QStringLiteral("rgFlagSound"), QStringLiteral("Откл.звук"),
                     {QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Замок")}));
    const TControlRow hello = InLine(
        Radio(QStringLiteral("rgSayHelloMode"), QStringLiteral("Произносить \"Здравствуйте\""),
              {QStringLiteral("Вкл."), QStringLiteral("Раз в сутки"), QStringLiteral("Откл.")}));
    // Lines of two: the long captions left, the shorter ones and the choices beside them.
    return {
        onVoice(Spin(QStringLiteral("seAlarmVelSecNoSayMax"),
                     QStringLiteral("Прореживание сообщений о превыш. скорости, мин (-1=П) "), -1,
                     99)),
        Beside(onVoice(flagSound)),
        onVoice(Spin(QStringLiteral("seSayParamPeriod"),
                     QStringLiteral("Период автоповтора озвуч. параметров  (4=откл)"), 4, 99),
                true),
        Beside(onVoice(hello, true)),
        onVoice(Spin(QStringLiteral("seSoundVolume"), QStringLiteral("Громкость"), 0, 8), true),
        Beside(onVoice(Spin(QStringLiteral("seSayEconomPeriod"),
                            QStringLiteral("Эконометр период проговора"), 1, 20))),
        onVoice(
            Check(QStringLiteral("cbSoundKeys"), QStringLiteral("Вкл. звук при нажатии кнопок"))),
        Beside(onVoice(Check(QStringLiteral("cbSoundLock"),
                             QStringLiteral("Вкл. звук при включении замка зажигания")))),
    };
}

TControlRow WarningGroup(const TWarningRow& w, int index, bool later) {
    TControlRow row =
        Placed(OnLeave(InLine(Radio(WarningGroupName(w, later), QString::fromUtf8(w.Caption),
                                    PresentationLetters()))),
               Voice, QStringLiteral("Предупреждение"));
    Bind::Presentation(row, QStringLiteral("AlarmPresentation"), index, later ? 3 : 0,
                       w.HasLater ? WarningGroupName(w, !later) : QString());
    row.ItemEnabledRule = [](const TSettingsEditor& e, int item) {
        return !(e.Flags().NoVoice && item >= 3);
    };
    row.VisibleRule = [index](const TSettingsEditor& e) { return WarningRowVisible(e, index); };
    return row;
}

std::vector<TControlRow> PresentationRows() {
    std::vector<TControlRow> rows;
    const auto& table = WarningRows();
    for (int i = 0; i < int(table.size()); ++i) {
        const TWarningRow& w = table[std::size_t(i)];
        rows.push_back(WarningGroup(w, i, false));
        if (w.HasLater)
            rows.push_back(WarningGroup(w, i, true));
    }
    return rows;
}

} // namespace

const std::array<TWarningRow, AlarmEvents>& WarningRows() {
    static const std::array<TWarningRow, AlarmEvents> rows = {{
        {"UAccHigh", "Высокое U АКБ", true},
        {"UAccLow", "Низкое U АКБ", true},
        {"Vel", "Превыш.скорость", true},
        {"Rev", "Превыш.обороты", true},
        {"Tank", "Остаток бака", true},
        {"Holo", "Гололед", true},
        {"TO", "Выполнить ТО", false},
        {"100", "Разгон", true},
        {"100Down", "Торможение", true},
        {"Error", "Неисправность", false},
        {"LiqTempHigh", "Перегрев ОЖ", true},
        {"Econom", "Эконометр", true},
        {"Gabar", "Габариты", false},
        {"TankFull", "Полный бак", false},
        {"InjTime", "%Впрыск/расход", false},
        {"LiqTempReady", "Прогрев ДВС", false},
        {"Lights", "Ближн.Свет", false},
        {"SFilter", "Сажевый фильтр", false},
        {"HVBTemperHigh", "Перегрев ВВБ", true},
        {"TemperOilAKPPHigh", "Перегрев АКПП", true},
        {"TemperOilEngHigh", "Перегрев масла ДВС", true},
        {"CVTFDeterior", "Износ масла АКПП", false},
        {"RetarderOilTemperHigh", "Перегрев ретардера", true},
        {"InvTemperHigh", "Перегрев инвертора", true},
    }};
    return rows;
}

QString WarningGroupName(const TWarningRow& row, bool later) {
    return QStringLiteral("rgap%1_%2").arg(QLatin1String(row.Key), later ? "N" : "F");
}

QStringList PresentationLetters() {
    return {QStringLiteral("О"), QStringLiteral("Н"), QStringLiteral("Б"), QStringLiteral("М"),
            QStringLiteral("Г")};
}

bool WarningRowVisible(const TSettingsEditor& e, int index) {
    const TProtBase& p = e.Protocol();
    const TDeviceFlags& f = e.Flags();
    switch (index) {
    case 5:
        return !f.NoAirTemperature;
    case 9:
        return p.HasEcuErrors != 0;
    case 10:
    case 15:
        return p.HasCoolantTemp != 0;
    case 18:
    case 23:
        return p.IsHybrid != 0;
    case 19:
        return p.HasGearboxOilTemp != 0;
    case 20:
        return p.HasEngineOilTemp != 0;
    case 21:
        return p.ProtCode == CanCode || Retarder(p, f);
    case 22:
        return Retarder(p, f);
    default:
        return true;
    }
}

std::vector<TControlRow> LimitsRows() {
    std::vector<TControlRow> rows;
    for (auto&& part : {LimitRows(), VoiceRows(), PresentationRows()})
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}
