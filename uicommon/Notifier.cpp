#include "Notifier.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringDecoder>

namespace {
notifier::Sink& currentSink()
{
    static notifier::Sink sink;
    return sink;
}
} // namespace

namespace notifier {

void setSink(Sink sink) { currentSink() = std::move(sink); }

void show(const QString& text)
{
    if (currentSink()) {
        currentSink()(text);
        return;
    }
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(
        QMessageBox::NoIcon, QStringLiteral("Gonilux"), shown, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

QString fromBytes(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return decoded;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace notifier
