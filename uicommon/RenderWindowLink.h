#pragma once
// What the main window may ask of the render window: whether it is on show, to show or raise it, and to render
// the document's selected plane now. Everything the render reports back travels as signals.

class RenderWindowLink {
public:
    virtual ~RenderWindowLink() = default;

    virtual bool IsShown() const = 0;
    // Shows the window; showing it renders.
    virtual void ShowWindow() = 0;
    virtual void RaiseWindow() = 0;
    // Renders the document's selected plane; raises std::runtime_error when there is nothing to render (callers
    // run inside Guard).
    virtual void Render() = 0;
};
