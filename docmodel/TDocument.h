#pragma once
// The shared document as a Qt object: every change made through it is announced, so each window can follow the
// file, the plane and the view switches without knowing who changed them.

#include "Document.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class TDocument : public QObject, private Document {
    Q_OBJECT
public:
    explicit TDocument(QObject* parent = nullptr);

    using Document::FileLines;
    using Document::FileName;
    using Document::FitDown;
    using Document::Header;
    using Document::HeaderLines;
    using Document::IESData;
    using Document::MaxIntensity;
    using Document::OrthoDown;
    using Document::ReleaseFileLines;
    using Document::SelectedPlane;

    // The one way a file is opened, whoever asks (file list, command line, drop). Emits loaded() when the file
    // was read, or loadFailed() with the reason (the record is then empty) and rethrows.
    void Load(const std::string& path, const HeaderErrorSink& onHeaderError);

    void SelectPlane(int plane);
    void SetFitDown(bool down);
    void SetOrthoDown(bool down);
    // See Document::RefreshMaxIntensity; emits maxIntensityChanged() when it recomputed.
    void RefreshMaxIntensity(int first, int last);
    // A window wrote a photometric file (path in raw file-system bytes): emits fileWritten() so that a window
    // listing its folder can show it.
    void AnnounceFileWritten(const std::string& path);

signals:
    void loaded();
    void loadFailed(const QString& reason);
    void planeChanged(int plane);
    void fitChanged(bool down);
    void orthoChanged(bool down);
    void maxIntensityChanged();
    void fileWritten(const QByteArray& path);
};
