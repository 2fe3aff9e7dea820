#pragma once
// The viewer: one document, the main window, the render window and the details window that observe it, and the
// wiring between them.

#include <QStringList>

class DetailsLink;
class TForm1;
class TForm2;
class TDocument;

// Lets the main window ask the render window for renders and follow them: the progress bar, the time label and
// the "&Render" button; the render window goes down with the main window when that is minimised. Either window
// may be destroyed first; the main window then renders nothing.
void ConnectWindows(TForm1& main, TForm2& render);

class Viewer {
public:
    // Creates the document, then the main window, then the render window (hidden until asked for), and wires them.
    // The details window is created only when first asked for; the main window gets its button and sign.
    Viewer();
    // Reverse order of creation: the details and the render window first (they write their settings), then the
    // main window.
    ~Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    // The paths of the command line: the first one is shown in the browser (a folder) or selected there (a file)
    // instead of the remembered folder. One that does not exist or cannot be shown is named in a message and the
    // start goes on as usual. Called before the main window is first shown.
    void OpenAtStart(const QStringList& paths);

    TDocument& Document() { return *document_; }
    TForm1& MainWindow() { return *form1_; }
    TForm2& RenderWindow() { return *form2_; }
    DetailsLink& Details() { return *details_; }

private:
    TDocument* document_;
    TForm1* form1_;
    TForm2* form2_;
    DetailsLink* details_;
};
