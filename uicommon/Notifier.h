#pragma once
// The one seam for every user message and the guard that keeps exceptions out of Qt's event dispatch.

#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class QMessageBox;

namespace notifier {

// Receives the text of a message as the user would read it (with "\r" line breaks kept).
using Sink = std::function<void(const QString& text)>;

// Replaces the modal message box; tests install a recorder. An empty sink restores the message box.
void setSink(Sink sink);

// How a box lays out its lines: wrapped at the box's width, or each line whole on one line of the box.
enum class Lines { Wrapped, Whole };

// Shows a modal box captioned "Gonilux" with one OK button; "\r" becomes a line break.
void show(const QString& text, Lines lines = Lines::Wrapped);

// The box show() runs, not yet shown. The text is always plain text.
std::unique_ptr<QMessageBox> makeBox(const QString& text, Lines lines);

// Text from the core (file bytes, paths): UTF-8 when valid, otherwise Latin-1.
QString fromBytes(const std::string& bytes);

} // namespace notifier

// Runs one handler body; an error it raises ends the handler and is shown, and the program goes on.
template <class F> void Guard(F&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& e) {
        notifier::show(notifier::fromBytes(e.what()));
    } catch (...) {
        notifier::show(QStringLiteral("Unknown error"));
    }
}
