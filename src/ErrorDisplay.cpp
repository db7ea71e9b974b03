// Shows errors that escape handlers in a stop-icon message box.
#include "ErrorDisplay.h"

#include "ErrorText.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <stdexcept>
#include <utility>

namespace ErrorDisplay {

namespace {

int handlerDepth = 0;
std::exception_ptr pendingError;

QString MessageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

// The executable's name and the message, worded by the rules of the core.
QString Title()
{
    const QString fileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QString::fromStdString(bandix::ErrorBoxTitle(fileName.toStdString()));
}

QString Message(const QString &message)
{
    return QString::fromStdString(bandix::ErrorBoxMessage(message.toStdString()));
}

} // namespace

void RunHandler(const std::function<void()> &handler)
{
    ++handlerDepth;
    try {
        handler();
    } catch (...) {
        pendingError = std::current_exception();
    }
    --handlerDepth;
    // The box runs its own event loop, so it is shown only after the handler has unwound.
    if (handlerDepth == 0 && pendingError)
        Show(std::exchange(pendingError, nullptr));
}

void RethrowPending()
{
    if (pendingError)
        std::rethrow_exception(std::exchange(pendingError, nullptr));
}

void Show(const std::exception_ptr &error)
{
    QMessageBox box(QMessageBox::Critical, Title(), Message(MessageOf(error)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace ErrorDisplay
