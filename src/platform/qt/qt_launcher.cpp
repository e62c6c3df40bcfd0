#include "platform/qt/qt_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/qt/qt_text.h"

bool QtLauncher::startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    QStringList args;
    for (const std::wstring& a : arguments) args << toQt(a);
    return QProcess::startDetached(toQt(program), args);
}

bool QtLauncher::openDocument(const std::wstring& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQt(path)));
}

std::wstring QtLauncher::selfPath() { return fromQt(QCoreApplication::applicationFilePath()); }
