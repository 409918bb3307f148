#include "HelpText.h"

#include "CommandTable.h"

#include <QStringList>

namespace Cli {
namespace {

constexpr int OptionColumn = 26;

QString OptionTerm(const TOption& option) {
    return option.IsSwitch() ? option.Name : option.Name + QLatin1Char(' ') + option.Value;
}

QString CommandNames() {
    QStringList names;
    for (const TCommandInfo& command : CommandTable())
        names << command.Name;
    return names.join(QLatin1Char(' '));
}

// Roff text: a backslash is doubled, a minus is a minus and a line never starts with a
// control character.
QString Roff(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    text.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char('\'')))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

// The extglob pattern of the given extensions for _filedir; empty for any file.
QString FilePattern(const QStringList& extensions) {
    if (extensions.isEmpty() || extensions.contains(QString()))
        return {};
    QStringList unique = extensions;
    unique.removeDuplicates();
    return unique.size() == 1 ? unique.first()
                              : QStringLiteral("@(%1)").arg(unique.join(QLatin1Char('|')));
}

} // namespace

QString OverviewHelp() {
    QString text = QStringLiteral("Использование: mktool <команда> [параметры]\n"
                                  "Спутник программы Params32 для командной строки.\n\n"
                                  "Команды:\n");
    for (const TCommandInfo& command : CommandTable())
        text += QStringLiteral("  %1%2\n").arg(command.Name.leftJustified(11), command.Summary);
    text += QStringLiteral("\nmktool help КОМАНДА или mktool КОМАНДА --help — справка по команде;\n"
                           "mktool --version — версия.\n");
    return text;
}

QString CommandHelp(const TCommandInfo& command) {
    QString text = QStringLiteral("Использование: mktool %1 %2\n%3\n")
                       .arg(command.Name, command.Synopsis, command.Summary);
    text += QStringLiteral("\nПараметры:\n");
    QList<TOption> options = command.Options;
    options << TOption{QStringLiteral("--help"), {}, QStringLiteral("показать эту справку"), {}};
    for (const TOption& option : options) {
        const QString term = OptionTerm(option);
        text += QStringLiteral("  ") + term;
        text += term.size() + 2 < OptionColumn ? QString(OptionColumn - 2 - term.size(), ' ')
                                               : QStringLiteral("\n") + QString(OptionColumn, ' ');
        text += option.Meaning + QLatin1Char('\n');
    }
    text += QStringLiteral("\nКоды завершения:\n");
    for (const auto& [code, meaning] : command.ExitCodes)
        text += QStringLiteral("  %1  %2\n").arg(code).arg(meaning);
    return text;
}

QString VersionText() {
    return QStringLiteral("mktool (Params32), версия %1\n").arg(QStringLiteral(MK_VERSION));
}

QString ManPage() {
    QString page = QStringLiteral(".TH MKTOOL 1 \"\" \"Params32 %1\" \"Params32\"\n"
                                  ".SH NAME\n"
                                  "mktool \\- command\\-line companion of Params32, the MK "
                                  "trip computer configuration tool\n"
                                  ".SH SYNOPSIS\n"
                                  ".B mktool\n"
                                  ".I command\n"
                                  "[\\fIoptions\\fR]\n"
                                  ".br\n"
                                  ".B mktool help\n"
                                  "[\\fIcommand\\fR]\n"
                                  ".br\n"
                                  ".B mktool \\-\\-version\n"
                                  ".SH DESCRIPTION\n"
                                  "Спутник программы Params32 для командной строки: файлы "
                                  "настроек МК, их расшифровка, чтение и запись МК, симулятор "
                                  "МК и редактор настроек без окна. Сообщения программы "
                                  "русские; ошибка \\(em последняя строка в stderr.\n"
                                  ".SH COMMANDS\n")
                       .arg(QStringLiteral(MK_VERSION));
    for (const TCommandInfo& command : CommandTable()) {
        page += QStringLiteral(".SS \"%1\"\n.B mktool %1\n%2\n.PP\n%3\n")
                    .arg(command.Name, Roff(command.Synopsis), Roff(command.Summary));
        for (const TOption& option : command.Options) {
            page += QStringLiteral(".TP\n.B %1").arg(Roff(option.Name));
            if (!option.IsSwitch())
                page += QStringLiteral(" \\fI%1\\fR").arg(Roff(option.Value));
            page += QStringLiteral("\n%1\n").arg(Roff(option.Meaning));
        }
        page += QStringLiteral(".PP\nКоды завершения:\n");
        for (const auto& [code, meaning] : command.ExitCodes)
            page += QStringLiteral(".TP\n.B %1\n%2\n").arg(code).arg(Roff(meaning));
    }
    page += QStringLiteral(".SH \"EXIT STATUS\"\n"
                           "0 \\(em успешно, 1 \\(em ошибка, 2 \\(em неверная командная строка; "
                           "у diff и set \\(em как сказано выше.\n"
                           ".SH \"SEE ALSO\"\n"
                           ".BR Params32 (1)\n");
    return page;
}

QString BashCompletion() {
    QString script =
        QStringLiteral(
            "# bash completion for mktool; generated from its command table.\n"
            "# Folders and the files of the given extension pattern (any file without one).\n"
            "_mktool_files() {\n"
            "    if declare -F _filedir >/dev/null; then\n"
            "        _filedir \"$1\"\n"
            "        return\n"
            "    fi\n"
            "    local IFS=$'\\n'\n"
            "    if [[ -n $1 ]]; then\n"
            "        COMPREPLY=($(shopt -s extglob; compgen -d -- \"$cur\"; "
            "compgen -f -X \"!*.$1\" -- \"$cur\"))\n"
            "    else\n"
            "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
            "    fi\n"
            "}\n\n"
            "_mktool() {\n"
            "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
            "    local command=${COMP_WORDS[1]}\n"
            "    COMPREPLY=()\n"
            "    if [[ $COMP_CWORD -eq 1 ]]; then\n"
            "        COMPREPLY=($(compgen -W \"%1 help --help --version\" -- \"$cur\"))\n"
            "        return\n"
            "    fi\n"
            "    case $command in\n"
            "    help)\n"
            "        [[ $COMP_CWORD -eq 2 ]] && COMPREPLY=($(compgen -W \"%1\" -- \"$cur\"))\n"
            "        ;;\n")
            .arg(CommandNames());
    for (const TCommandInfo& command : CommandTable()) {
        QStringList options{QStringLiteral("--help")};
        QStringList valueOptions, fileCases;
        for (const TOption& option : command.Options) {
            options << option.Name;
            if (option.TakesFile())
                fileCases << QStringLiteral("        %1) _mktool_files '%2'; return ;;\n")
                                 .arg(option.Name, FilePattern({option.Extension}));
            else if (!option.IsSwitch())
                valueOptions << option.Name;
        }
        script += QStringLiteral("    %1)\n        case $prev in\n").arg(command.Name);
        script += fileCases.join(QString());
        if (!valueOptions.isEmpty())
            script += QStringLiteral("        %1) return ;;\n").arg(valueOptions.join('|'));
        script += QStringLiteral("        esac\n"
                                 "        if [[ $cur == -* ]]; then\n"
                                 "            COMPREPLY=($(compgen -W \"%1\" -- \"$cur\"))\n")
                      .arg(options.join(QLatin1Char(' ')));
        if (!command.FileExtensions.isEmpty())
            script += QStringLiteral("        else\n"
                                     "            _mktool_files '%1'\n")
                          .arg(FilePattern(command.FileExtensions));
        script += QStringLiteral("        fi\n"
                                 "        ;;\n");
    }
    script += QStringLiteral("    esac\n"
                             "}\n"
                             "complete -F _mktool mktool\n");
    return script;
}

} // namespace Cli
