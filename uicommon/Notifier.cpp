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

void show(const QString& text, Lines lines)
{
    if (currentSink()) {
        currentSink()(text);
        return;
    }
    makeBox(text, lines)->exec();
}

std::unique_ptr<QMessageBox> makeBox(const QString& text, Lines lines)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::NoIcon, QStringLiteral("Gonilux"), QString(), QMessageBox::Ok, QApplication::activeWindow());
    if (lines == Lines::Whole) {
        // The box wraps plain text at about half the screen's width; text that must not wrap goes in as rich
        // text, escaped, with its line breaks kept.
        box->setTextFormat(Qt::RichText);
        box->setText(QStringLiteral("<p style=\"white-space:pre\">") + shown.toHtmlEscaped() + QStringLiteral("</p>"));
    } else {
        // A file's text or a path in a message is never taken for markup.
        box->setTextFormat(Qt::PlainText);
        box->setText(shown);
    }
    return box;
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
