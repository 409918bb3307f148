#include "CommandTable.h"

#include "Commands.h"

namespace Cli {
namespace {

const QString AnyFile = QStringLiteral("");
const QString NoFile; // a null string: the value is no file

TOption Switch(const char* name, const char* meaning) {
    return {QString::fromUtf8(name), QString(), QString::fromUtf8(meaning), NoFile};
}

TOption Value(const char* name, const char* value, const char* meaning) {
    return {QString::fromUtf8(name), QString::fromUtf8(value), QString::fromUtf8(meaning), NoFile};
}

TOption File(const char* name, const char* value, const char* meaning, const char* extension) {
    return {QString::fromUtf8(name), QString::fromUtf8(value), QString::fromUtf8(meaning),
            QString::fromUtf8(extension)};
}

QList<QPair<int, QString>> UsualExitCodes() {
    return {{0, QStringLiteral("успешно")},
            {1, QStringLiteral("ошибка; её текст — последняя строка в stderr")},
            {2, QStringLiteral("неверная командная строка")}};
}

const char* const SettingsVersionMeaning =
    "версия настроек (тип устройства), число десятичное или 0x-шестнадцатеричное";

QList<TOption> DeviceOptions() {
    return {
        Value("--port", "P",
              "порт МК: COMn (1..32) или путь к устройству; без него МК ищется автоматически"),
        Switch("--auto", "искать МК автоматически (так и без --port)"),
        Value("--connect-timeout", "S", "сколько секунд пытаться подключиться (по умолчанию 10)"),
        Value("--address", "A",
              "адрес устройства (0xFC, 0xFD или 0xFE), который пробовать первым; затем "
              "остальные по порядку таблицы"),
    };
}

QList<TCommandInfo> MakeTable() {
    QList<TCommandInfo> table;
    table << TCommandInfo{
        "pack",
        RunPack,
        "--settings-version V IMAGE.bin OUT.rvset",
        "Упаковать образ памяти МК (байты, которые программа держит после чтения) в файл "
        "настроек.",
        {Value("--settings-version", "V", SettingsVersionMeaning)},
        {"bin", "rvset"},
        UsualExitCodes()};
    table << TCommandInfo{"unpack",
                          RunUnpack,
                          "IN.rvset OUT.bin",
                          "Извлечь образ памяти МК из файла настроек.",
                          {},
                          {"rvset", "bin"},
                          UsualExitCodes()};
    table << TCommandInfo{
        "show",
        RunShow,
        "--json IN.rvset | --json --image IMAGE.bin --settings-version V",
        "Вывести все расшифрованные поля настроек, журналов и осциллографа в JSON.",
        {Switch("--json", "вывод в JSON"),
         File("--image", "IMAGE.bin", "взять образ памяти вместо файла настроек", "bin"),
         Value("--settings-version", "V", SettingsVersionMeaning)},
        {"rvset"},
        UsualExitCodes()};
    table << TCommandInfo{
        "catalog",
        RunCatalog,
        "[--json] --settings-version V --variant N [--protocol I]",
        "Вывести каталоги для типа устройства: протоколы, флаги возможностей, измеряемые "
        "параметры, пункты меню и дополнительные системы.",
        {Switch("--json", "вывод в JSON"), Value("--settings-version", "V", SettingsVersionMeaning),
         Value("--variant", "N", "вариант прошивки (FirmwareVersion)"),
         Value("--protocol", "I", "номер текущего протокола (по умолчанию 0)")},
        {},
        UsualExitCodes()};
    table << TCommandInfo{"journals",
                          RunJournals,
                          "--json IN.rvset",
                          "Вывести журналы поездок, заправок и ошибок так, как их показывает "
                          "программа.",
                          {Switch("--json", "вывод в JSON")},
                          {"rvset"},
                          UsualExitCodes()};
    table << TCommandInfo{
        "preview",
        RunPreview,
        "--screen one|four|six|seven|nine|dials|graph|menu [--ids I,J,...] [--file IN.rvset] "
        "[--scheme-user] -o OUT.png",
        "Нарисовать экран МК 320 × 240 в файл PNG.",
        {Value("--screen", "ЭКРАН", "какой экран: one, four, six, seven, nine, dials, graph, menu"),
         Value("--ids", "I,J,...", "параметры или пункты меню на экране; без него — из настроек"),
         File("--file", "IN.rvset", "цвета, варианты экранов и параметры из файла настроек",
              "rvset"),
         Switch("--scheme-user", "пользовательская цветовая схема"),
         File("-o", "OUT.png", "куда записать рисунок", "png")},
        {},
        UsualExitCodes(),
        true};
    TCommandInfo read{"read",
                      RunRead,
                      "[--port P | --auto] [--connect-timeout S] [--address A] OUT.rvset",
                      "Считать настройки из МК в файл настроек; ход чтения — в stderr.",
                      DeviceOptions(),
                      {"rvset"},
                      UsualExitCodes()};
    table << read;
    TCommandInfo write{"write",
                       RunWrite,
                       "[--port P | --auto] [--connect-timeout S] [--address A] [--dry-run] "
                       "[--only NAME[,NAME...]] IN.rvset",
                       "Записать файл настроек в МК: проверка версий, свежее чтение, резервная "
                       "копия, запись разделов и проверочное чтение. Перед записью в stderr "
                       "выводится, что изменится.",
                       DeviceOptions(),
                       {"rvset"},
                       UsualExitCodes()};
    write.Options << Switch("--dry-run", "только показать, что изменится, ничего не записывая")
                  << Value("--only", "NAME[,NAME...]",
                           "записать только эти изменения: элементы редактора по именам, как "
                           "их принимают get и set, данные страниц, журналы и счётчики по "
                           "именам, как их выводит diff; остальное в МК остаётся прежним "
                           "(неизвестное имя — код 2, ничего не записано)");
    table << write;
    table << TCommandInfo{
        "simulate",
        RunSimulate,
        "[--address A] [--settings-version V] [--image IMAGE.bin] [--save-on-exit IMAGE.bin] "
        "[--baud B] [--log FILE|-] [параметры сбоев]",
        "Запустить симулятор МК на новом псевдотерминале; путь к нему — первая строка "
        "stdout. Работает до SIGINT или SIGTERM.",
        {Value("--address", "A", "адрес устройства: 0xFC, 0xFD (8 КБ) или 0xFE (32 КБ)"),
         Value("--settings-version", "V", SettingsVersionMeaning),
         File("--image", "IMAGE.bin", "образ памяти; без него — заводская память", "bin"),
         File("--save-on-exit", "IMAGE.bin", "сохранить образ памяти при завершении", "bin"),
         Value("--baud", "B", "скорость линии для пауз между байтами (11 бит на байт)"),
         File("--log", "FILE", "журнал запросов и ответов в файл (- — в stderr)", ""),
         Value("--bad-checksum", "N", "следующие N ответов с неверной контрольной суммой"),
         Value("--busy", "N", "следующие N ответов «устройство занято»"),
         Value("--silence", "N", "не отвечать на следующие N запросов"),
         Value("--zero-header", "N", "следующие N ответов с нулевым заголовком"),
         Value("--overlong-length", "N", "следующие N ответов с завышенной длиной"),
         Value("--short-reply", "N", "следующие N ответов короче нужного"),
         Value("--answer-after", "K", "не отвечать на первые K запросов"),
         Value("--dropped-chunk", "N",
               "следующие N запросов WriteChunk подтвердить, но не сохранить"),
         Value("--busy-after-sections", "N",
               "записав N разделов, отвечать «занят» на все запросы (обрыв посреди записи)")},
        {},
        UsualExitCodes()};
    table << TCommandInfo{
        "get",
        RunGet,
        "[--json] [--visible] IN.rvset [NAME...]",
        "Показать значения элементов редактора настроек (все или названные) так, как их "
        "показывает редактор.",
        {Switch("--json", "вывод в JSON"),
         Switch("--visible",
                "только элементы, которые редактор показывает и делает доступными, строками "
                "NAME=VALUE в том виде, который принимает set (флажки как 1/0)")},
        {"rvset"},
        UsualExitCodes()};
    table << TCommandInfo{
        "describe",
        RunDescribe,
        "--json IN.rvset",
        "Описать редактор настроек для файла: страницы, элементы, диапазоны, списки, "
        "видимость.",
        {Switch("--json", "вывод в JSON")},
        {"rvset"},
        UsualExitCodes()};
    table << TCommandInfo{
        "set",
        RunSet,
        "IN.rvset OUT.rvset [NAME=VALUE...] [--from TEXT]",
        "Изменить настройки так, как это делает пользователь в редакторе, и записать "
        "результат в OUT.",
        {File("--from", "TEXT",
              "взять присваивания NAME=VALUE из текста, по одному в строке (строки с # и "
              "пустые пропускаются), например из вывода get --visible",
              "")},
        {"rvset"},
        {{0, QStringLiteral("успешно, OUT записан")},
         {1, QStringLiteral("элемент скрыт или недоступен, или редактор сообщил об ошибке; OUT "
                            "не записан")},
         {2, QStringLiteral("неизвестный элемент или значение неверного вида")}}};
    table << TCommandInfo{"diff",
                          RunDiff,
                          "[--json] A.rvset B.rvset",
                          "Показать настройки, которые различаются в двух файлах.",
                          {Switch("--json", "вывод в JSON")},
                          {"rvset"},
                          {{0, QStringLiteral("настройки совпадают")},
                           {1, QStringLiteral("настройки различаются")},
                           {2, QStringLiteral("ошибка")}}};
    table << TCommandInfo{
        "carry",
        RunCarry,
        "[--json] FROM.rvset ONTO.rvset OUT.rvset",
        "Перенести настройки из FROM на МК другого типа или прошивки по смыслу: ONTO — файл, "
        "считанный с этого МК, OUT — ONTO с перенесёнными настройками. Что не перенесено, "
        "выводится с причиной.",
        {Switch("--json", "отчёт в JSON: {\"Carried\": N, \"NotCarried\": [...]}")},
        {"rvset"},
        {{0, QStringLiteral("OUT записан, перенесено всё")},
         {1, QStringLiteral("OUT записан, часть настроек не перенесена")},
         {2, QStringLiteral("неверные аргументы, файл не читается или не записывается, или "
                            "редактор не открывает FROM; ничего не записано")}}};
    table << TCommandInfo{
        "sheet",
        RunSheet,
        "IN.rvset OUT.html|OUT.pdf",
        "Составить отчёт о настройках: все показанные редактором элементы с их значениями "
        "по страницам, включённые экраны МК картинками, таблицы цветов, горячих меню и бака. "
        "Формат — по расширению OUT: .html (один файл с картинками внутри) или .pdf.",
        {},
        {"rvset", "html", "pdf"},
        {{0, QStringLiteral("успешно, OUT записан")},
         {2, QStringLiteral("неверные аргументы или расширение OUT, файл не читается, "
                            "редактор его не открывает, или OUT не записывается; ничего не "
                            "записано")}},
        true};
    return table;
}

} // namespace

const QList<TCommandInfo>& CommandTable() {
    static const QList<TCommandInfo> table = MakeTable();
    return table;
}

const TCommandInfo* FindCommand(const QString& name) {
    for (const TCommandInfo& command : CommandTable())
        if (command.Name == name)
            return &command;
    return nullptr;
}

const TOption* FindOption(const TCommandInfo& command, const QString& name) {
    for (const TOption& option : command.Options)
        if (option.Name == name)
            return &option;
    return nullptr;
}

QString UsageOf(const QString& name) {
    const TCommandInfo* command = FindCommand(name);
    if (!command)
        return QStringLiteral("mktool <команда> [параметры]");
    return QStringLiteral("mktool %1 %2").arg(command->Name, command->Synopsis);
}

} // namespace Cli
