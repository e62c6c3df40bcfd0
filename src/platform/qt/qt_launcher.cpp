#include "platform/qt/qt_launcher.h"

#include <cerrno>
#include <csignal>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

constexpr int kStartMs = 30000;
constexpr int kEndAfterTermMs = 10000;

QStringList toQtList(const std::vector<std::wstring>& arguments) {
    QStringList args;
    for (const std::wstring& a : arguments)
        args << toQt(a);
    return args;
}

// Whether a process of that id still runs. A detached program is not our child: once it has
// ended, the system's first process takes it away and the id is free. Where that process does
// not collect its orphans (in some containers), the ended program stays behind as a zombie.
bool running(qint64 pid) {
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    // "pid (name) S …": the state follows the name's closing parenthesis.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}

} // namespace

QtLauncher::QtLauncher() : watches_(std::make_unique<QObject>()) {}

QtLauncher::~QtLauncher() = default;

bool QtLauncher::startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    return QProcess::startDetached(toQt(program), toQtList(arguments));
}

bool QtLauncher::openDocument(const std::wstring& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQt(path)));
}

std::wstring QtLauncher::selfPath() {
    return fromQt(QCoreApplication::applicationFilePath());
}

bool QtLauncher::startWatched(const std::wstring& program, const std::vector<std::wstring>& arguments,
                              std::function<void()> ended) {
    qint64 pid = 0;
    if (!QProcess::startDetached(toQt(program), toQtList(arguments), QString(), &pid)) return false;
    if (!ended || pid <= 0) return true;
    auto* timer = new QTimer(watches_.get());
    timer->setInterval(kWatchIntervalMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, pid, ended = std::move(ended)] {
        if (running(pid)) return;
        timer->stop();
        timer->deleteLater();
        ended();
    });
    timer->start();
    return true;
}

int QtLauncher::runToEnd(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         int timeoutMs) {
    QProcess process;
    process.setProgram(toQt(program));
    process.setArguments(toQtList(arguments));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted(kStartMs)) return kRunNotStarted;
    if (!process.waitForFinished(timeoutMs)) {
        process.terminate();
        if (!process.waitForFinished(kEndAfterTermMs)) {
            process.kill();
            process.waitForFinished(kEndAfterTermMs);
        }
        return kRunStopped;
    }
    if (process.exitStatus() != QProcess::NormalExit) return kRunStopped;
    return process.exitCode();
}

} // namespace tenzora
