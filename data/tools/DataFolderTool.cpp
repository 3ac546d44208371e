#include "data/tools/DataFolderTool.h"

#include "data/tools/DataFolderCreator.h"
#include "data/tools/DataGenerator.h"
#include "data/tools/DemoData.h"
#include "data/tools/PostalImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <map>
#include <optional>

namespace kv::data {

namespace {

struct Parsed {
    QString command;
    QString folder;
    std::map<QString, QString> options; // "--from" -> value
};

// COMMAND DIR followed by "--name value" pairs of the allowed names.
std::optional<Parsed> parse(const QStringList& arguments, const QStringList& allowed, QString* problem)
{
    Parsed parsed;
    if (arguments.size() < 2) {
        *problem = QStringLiteral("フォルダが指定されていません！");
        return std::nullopt;
    }
    parsed.command = arguments[0];
    parsed.folder = arguments[1];
    for (qsizetype i = 2; i < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        if (!allowed.contains(name)) {
            *problem = QStringLiteral("不明な指定 [%1] です！").arg(name);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            *problem = QStringLiteral("%1 の値がありません！").arg(name);
            return std::nullopt;
        }
        parsed.options[name] = arguments[i + 1];
    }
    return parsed;
}

bool readCount(const Parsed& parsed, const QString& name, int& value, QString* problem)
{
    const auto it = parsed.options.find(name);
    if (it == parsed.options.end())
        return true;
    bool ok = false;
    value = it->second.toInt(&ok);
    if (!ok || value < 0) {
        *problem = QStringLiteral("%1 の値 [%2] は０以上の整数で指定して下さい！").arg(name, it->second);
        return false;
    }
    return true;
}

QString native(const QString& folder)
{
    return QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
}

} // namespace

QString DataFolderTool::usage()
{
    return QStringLiteral(
        "使い方:\n"
        "  sabion-datafolder create DIR\n"
        "  sabion-datafolder demo DIR\n"
        "  sabion-datafolder postal DIR --from FILE\n"
        "  sabion-datafolder generate DIR [--customers N] [--vehicles N] [--slips N] [--lines N] [--ledger N] [--seed N]\n");
}

int DataFolderTool::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString command = arguments.value(0);
    QStringList allowed;
    if (command == u"postal")
        allowed = {QStringLiteral("--from")};
    else if (command == u"generate")
        allowed = {QStringLiteral("--customers"), QStringLiteral("--vehicles"), QStringLiteral("--slips"),
                   QStringLiteral("--lines"), QStringLiteral("--ledger"), QStringLiteral("--seed")};
    else if (command != u"create" && command != u"demo") {
        err << QStringLiteral("不明なコマンド [%1] です！\n").arg(command) << usage();
        return BadUsage;
    }
    QString problem;
    const std::optional<Parsed> parsed = parse(arguments, allowed, &problem);
    if (!parsed) {
        err << problem << '\n' << usage();
        return BadUsage;
    }
    const QString& folder = parsed->folder;
    QString reason;

    if (command == u"create" || command == u"demo") {
        if (!DataFolderCreator::create(folder, &reason)) {
            err << reason << '\n';
            return Refused;
        }
        if (command == u"demo" && !DemoData::write(folder, QDate::currentDate(), &reason)) {
            err << reason << '\n';
            return Refused;
        }
        out << QStringLiteral("データフォルダ [%1] を作成しました。\n").arg(native(folder));
        return Success;
    }

    if (command == u"postal") {
        const auto from = parsed->options.find(QStringLiteral("--from"));
        if (from == parsed->options.end()) {
            err << QStringLiteral("--from で変換済みの郵便番号データを指定して下さい！\n") << usage();
            return BadUsage;
        }
        int rows = 0;
        if (!PostalImport::import(folder, from->second, &reason, &rows)) {
            err << reason << '\n';
            return Refused;
        }
        out << QStringLiteral("郵便番号ファイルを [%1] に作成しました（%2 件）。\n").arg(native(folder)).arg(rows);
        return Success;
    }

    DataGenerator::Options options;
    int seed = int(options.seed);
    if (!readCount(*parsed, QStringLiteral("--customers"), options.size.customers, &problem)
        || !readCount(*parsed, QStringLiteral("--vehicles"), options.size.vehicles, &problem)
        || !readCount(*parsed, QStringLiteral("--slips"), options.size.slips, &problem)
        || !readCount(*parsed, QStringLiteral("--lines"), options.size.lines, &problem)
        || !readCount(*parsed, QStringLiteral("--ledger"), options.size.ledgerRows, &problem)
        || !readCount(*parsed, QStringLiteral("--seed"), seed, &problem)) {
        err << problem << '\n';
        return BadUsage;
    }
    options.seed = std::uint64_t(seed);
    options.progress = [&out](const QString& line) { out << line << '\n' << Qt::flush; };
    QElapsedTimer timer;
    timer.start();
    if (!DataGenerator::generate(folder, options, &reason)) {
        err << reason << '\n';
        return Refused;
    }
    out << QStringLiteral("データフォルダ [%1] を作成しました（%2 秒）。\n")
               .arg(native(folder))
               .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1);
    return Success;
}

} // namespace kv::data
