// yoji-results: the teacher's tool over an installation's result files.
//
//   yoji-results [--folder DIR] export [--since DATE] [--until DATE] [--pupil N]... [--item N]...
//                                      [--home | --study] [--no-bom] [-o FILE]
//   yoji-results [--folder DIR] audit [--cut-torn-tail]
//   yoji-results [--folder DIR] report (--pupil N... | --all) -o FILE.pdf
//   yoji-results [--folder DIR] study --pupil N [--csv]
//   yoji-results [--folder DIR] exam-date (--pupil N... | --all) (YYYY-MM-DD | none)
//
// It reads the installation as the program does and never writes to the result files or the
// study log, except that "audit --cut-torn-tail" cuts a torn tail under the writers' lock.
// exam-date writes 生徒設定.txt alone, as the program changes it.
#include "core/installationfinder.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/sleeper.h"
#include "resultexport.h"
#include "resultscommands.h"
#include "resultsinstallation.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

namespace {

constexpr int kFailed = 2;

// Messages of the program's readers, which would show a box on the screen.
class StandardErrorMessages : public MessageBox
{
public:
    Answer show(const QString& title, const QString& text, Buttons) override
    {
        QTextStream(stderr) << title << ": " << text << Qt::endl;
        return Answer::Ok;
    }
};

const QCommandLineOption
    kFolder(QStringLiteral("folder"),
            QStringLiteral("プログラムフォルダ（省略時はこのプログラムのフォルダ）"),
            QStringLiteral("DIR"));

// Parses a command's options; on an error or --help it prints and gives the exit status. A
// command that takes positional arguments checks their number itself.
std::optional<int> parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                                const QString& description, bool positional = false)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOption(kFolder);
    if (!parser.parse(arguments)) {
        QTextStream(stderr) << parser.errorText() << "\n\n" << parser.helpText();
        return kFailed;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (!positional && !parser.positionalArguments().isEmpty()) {
        QTextStream(stderr) << QStringLiteral("余分な引数があります: ")
                            << parser.positionalArguments().join(u' ') << "\n";
        return kFailed;
    }
    return std::nullopt;
}

bool parseNumbers(const QStringList& texts, int lowest, int highest, const QString& what,
                  std::vector<int>& numbers)
{
    for (const QString& text : texts) {
        bool ok = false;
        const int number = text.toInt(&ok);
        if (!ok || number < lowest || number > highest) {
            QTextStream(stderr)
                << what
                << QStringLiteral("は %1〜%2 の数で指定してください: ").arg(lowest).arg(highest)
                << text << "\n";
            return false;
        }
        numbers.push_back(number);
    }
    return true;
}

bool parseDate(const QString& text, QDate& date)
{
    if (text.isEmpty())
        return true;
    date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        QTextStream(stderr) << QStringLiteral("日付は YYYY-MM-DD の形で指定してください: ") << text
                            << "\n";
    return date.isValid();
}

// A command line that does not say what to do: the reason, then how to say it.
int usageFault(const QCommandLineParser& parser, const QString& reason)
{
    QTextStream(stderr) << reason << "\n\n" << parser.helpText();
    return kFailed;
}

std::optional<int> loadInstallation(const QCommandLineParser& parser,
                                    ResultsInstallation& installation)
{
    const FoundInstallation found = findResultsInstallation(parser.value(kFolder));
    const Status status = found.status.ok()
                              ? installation.load(found.programDir, QDate::currentDate())
                              : found.status;
    if (status.ok())
        return std::nullopt;
    QTextStream(stderr) << status.message << "\n";
    return kFailed;
}

int exportCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption since(QStringLiteral("since"),
                                   QStringLiteral("この日から（その日を含む）"),
                                   QStringLiteral("DATE"));
    const QCommandLineOption until(QStringLiteral("until"),
                                   QStringLiteral("この日まで（その日を含む）"),
                                   QStringLiteral("DATE"));
    const QCommandLineOption pupil(QStringLiteral("pupil"),
                                   QStringLiteral("この生徒番号だけ（何度でも指定できます）"),
                                   QStringLiteral("N"));
    const QCommandLineOption item(QStringLiteral("item"),
                                  QStringLiteral("この項目番号だけ（何度でも指定できます）"),
                                  QStringLiteral("N"));
    const QCommandLineOption home(
        QStringLiteral("home"),
        QStringLiteral("家庭用ファイル（成績累積データ家庭用.dat）を書き出す"));
    const QCommandLineOption studyLog(
        QStringLiteral("study"),
        QStringLiteral("学習記録（学習記録.dat）を書き出す。1行が1回の答えです"));
    const QCommandLineOption noBom(QStringLiteral("no-bom"),
                                   QStringLiteral("先頭にバイトオーダーマークを付けない"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("書き出すCSVファイル（省略時は標準出力）"),
                                    QStringLiteral("FILE"));
    parser.addOptions({since, until, pupil, item, home, studyLog, noBom, output});
    if (auto status = parseCommand(
            parser, arguments,
            QStringLiteral("成績をCSV（UTF-8）に書き出します。1行が1回のテストです。\n"
                           "--study では学習記録を書き出します。1行が1回の答えです。")))
        return *status;

    ExportOptions options;
    options.home = parser.isSet(home);
    options.byteOrderMark = !parser.isSet(noBom);
    if (!parseDate(parser.value(since), options.since) ||
        !parseDate(parser.value(until), options.until) ||
        !parseNumbers(parser.values(pupil), 1, kMaxPupilNo, QStringLiteral("生徒番号"),
                      options.pupils) ||
        !parseNumbers(parser.values(item), 1, kMaxItemNo, QStringLiteral("項目番号"),
                      options.items))
        return kFailed;
    const bool study = parser.isSet(studyLog);
    if (study && (options.home || !options.items.empty())) {
        QTextStream(stderr) << QStringLiteral(
            "--study は --home や --item といっしょには使えません。\n");
        return kFailed;
    }
    ResultsInstallation installation;
    if (auto status = loadInstallation(parser, installation))
        return *status;

    QTextStream err(stderr);
    const auto write = [&](QIODevice& out) {
        return study ? ResultsCommands::exportStudy(installation, options, out, err)
                     : ResultsCommands::exportResults(installation, options, out, err);
    };
    if (!parser.isSet(output)) {
        QFile out;
        out.open(stdout, QIODevice::WriteOnly);
        return write(out);
    }
    // A failed export leaves no half-written file behind.
    QSaveFile out(parser.value(output));
    if (!out.open(QIODevice::WriteOnly)) {
        err << parser.value(output) << QStringLiteral(" に書き込めません（") << out.errorString()
            << QStringLiteral("）。") << Qt::endl;
        return kFailed;
    }
    const int status = write(out);
    if (status == kFailed)
        return status;
    if (!out.commit()) {
        err << parser.value(output) << QStringLiteral(" に書き込めません（") << out.errorString()
            << QStringLiteral("）。") << Qt::endl;
        return kFailed;
    }
    return status;
}

int auditCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption cut(QStringLiteral("cut-torn-tail"),
                                 QStringLiteral("途中で切れた末尾を、最後の完全な記録まで切り取る"
                                                "（ファイル全体をロックして行います）"));
    parser.addOption(cut);
    if (auto status = parseCommand(
            parser, arguments,
            QStringLiteral(
                "成績累積データ.dat と成績累積データ家庭用.dat と学習記録.dat を点検します。\n"
                "終了ステータス: 0 問題なし、1 問題あり、2 ファイルを読めない")))
        return *status;
    ResultsInstallation installation;
    if (auto status = loadInstallation(parser, installation))
        return *status;
    EventLoopSleeper sleeper;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ResultsCommands::audit(installation, QDate::currentDate(), parser.isSet(cut), sleeper,
                                  out, err);
}

int reportCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption pupil(QStringLiteral("pupil"),
                                   QStringLiteral("この生徒番号の報告（何度でも指定できます）"),
                                   QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("名簿に載っている生徒全員"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("書き出すPDFファイル"),
                                    QStringLiteral("FILE.pdf"));
    parser.addOptions({pupil, all, output});
    if (auto status = parseCommand(parser, arguments,
                                   QStringLiteral("保護者向けの学習報告をA4のPDFに書き出します。")))
        return *status;
    ReportOptions options;
    options.all = parser.isSet(all);
    options.output = parser.value(output);
    if (!parseNumbers(parser.values(pupil), 1, kMaxPupilNo, QStringLiteral("生徒番号"),
                      options.pupils))
        return kFailed;
    if (options.all == !options.pupils.empty() || options.output.isEmpty())
        return usageFault(parser,
                          QStringLiteral("--pupil か --all のどちらかと、-o を指定してください。"));
    ResultsInstallation installation;
    if (auto status = loadInstallation(parser, installation))
        return *status;
    SystemClock clock;
    EventLoopSleeper sleeper;
    StandardErrorMessages messages;
    ProcessExit exit;
    QTextStream err(stderr);
    return ResultsCommands::report(installation, options, clock, sleeper, messages, exit, err);
}

int studyCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption pupil(QStringLiteral("pupil"), QStringLiteral("生徒番号"),
                                   QStringLiteral("N"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("CSV（UTF-8）で出す"));
    parser.addOptions({pupil, csv});
    if (auto status = parseCommand(
            parser, arguments,
            QStringLiteral("生徒が答えた熟語ごとの覚えぐあいを表にします: 熟語、範囲、回数、"
                           "間違い、安定度、難しさ、今日の想起率、次の復習、苦手。")))
        return *status;
    std::vector<int> pupils;
    if (!parseNumbers(parser.values(pupil), 1, kMaxPupilNo, QStringLiteral("生徒番号"), pupils))
        return kFailed;
    if (pupils.size() != 1)
        return usageFault(parser, QStringLiteral("--pupil を1つ指定してください。"));
    ResultsInstallation installation;
    if (auto status = loadInstallation(parser, installation))
        return *status;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ResultsCommands::study(installation, pupils.front(), QDate::currentDate(),
                                  parser.isSet(csv), out, err);
}

int examDateCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption pupil(QStringLiteral("pupil"),
                                   QStringLiteral("この生徒番号（何度でも指定できます）"),
                                   QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("名簿に載っている生徒全員"));
    parser.addOptions({pupil, all});
    parser.addPositionalArgument(QStringLiteral("date"),
                                 QStringLiteral("試験日 YYYY-MM-DD、消すときは none"));
    if (auto status = parseCommand(
            parser, arguments,
            QStringLiteral(
                "生徒の試験日を生徒設定.txtに書きこみます。変わった生徒を1行ずつ出します。\n"
                "終了ステータス: 0 書きこんだ、1 日付がまちがっているか書きこめない、"
                "2 プログラムフォルダを読めない"),
            true))
        return *status;
    std::vector<int> pupils;
    if (!parseNumbers(parser.values(pupil), 1, kMaxPupilNo, QStringLiteral("生徒番号"), pupils))
        return kFailed;
    if (parser.isSet(all) == !pupils.empty() || parser.positionalArguments().size() != 1)
        return usageFault(parser, QStringLiteral("--pupil か --all のどちらかと、試験日を1つ"
                                                 "指定してください。"));
    ResultsInstallation installation;
    if (auto status = loadInstallation(parser, installation))
        return *status;
    EventLoopSleeper sleeper;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ResultsCommands::examDate(installation, pupils, parser.isSet(all),
                                     parser.positionalArguments().first(), QDate::currentDate(),
                                     sleeper, out, err);
}

// Qt's own diagnostics (a runtime folder it cannot find, a font it stands in for) mean nothing
// to a teacher, and a nightly job takes anything on standard error for an alarm. The tool
// writes its own messages to standard error itself, never through Qt's message log.
void dropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        QTextStream(stderr) << message << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(dropQtMessages);
    // The report draws with fonts and a PDF device, but needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("yoji-results"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("成績ファイルの書き出し・点検・学習報告\n\n"
                       "コマンド:\n"
                       "  export     成績や学習記録をCSVに書き出す\n"
                       "  audit      成績ファイルと学習記録を点検する\n"
                       "  report     保護者向けの学習報告をPDFにする\n"
                       "  study      生徒の熟語ごとの覚えぐあいを表にする\n"
                       "  exam-date  生徒の試験日を決める・消す\n\n"
                       "各コマンドの説明: yoji-results COMMAND --help"));
    parser.addHelpOption();
    parser.addOption(kFolder);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("export | audit | report | study | exam-date"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    QStringList arguments = QGuiApplication::arguments();
    if (!parser.parse(arguments) || parser.positionalArguments().isEmpty()) {
        const bool help = parser.isSet(QStringLiteral("help"));
        QTextStream(help ? stdout : stderr) << parser.helpText();
        return help ? 0 : kFailed;
    }
    const QString command = parser.positionalArguments().first();
    // The command's own parser sees every other argument, --folder wherever it stands.
    arguments.removeAt(arguments.indexOf(command, 1));
    if (command == QLatin1String("export"))
        return exportCommand(arguments);
    if (command == QLatin1String("audit"))
        return auditCommand(arguments);
    if (command == QLatin1String("report"))
        return reportCommand(arguments);
    if (command == QLatin1String("study"))
        return studyCommand(arguments);
    if (command == QLatin1String("exam-date"))
        return examDateCommand(arguments);
    QTextStream(stderr) << QStringLiteral("知らないコマンドです: ") << command << "\n\n"
                        << parser.helpText();
    return kFailed;
}
