#include "TDocument.h"

#include <exception>

TDocument::TDocument(QObject* parent)
    : QObject(parent)
{
}

void TDocument::Load(const std::string& path, const HeaderErrorSink& onHeaderError)
{
    try {
        Document::Load(path, onHeaderError);
    } catch (const std::exception& error) {
        emit loadFailed(QString::fromLocal8Bit(error.what()));
        throw;
    } catch (...) {
        emit loadFailed(QString());
        throw;
    }
    emit loaded();
}

void TDocument::SelectPlane(int plane)
{
    if (Document::SelectPlane(plane))
        emit planeChanged(plane);
}

void TDocument::SetFitDown(bool down)
{
    if (Document::SetFitDown(down))
        emit fitChanged(down);
}

void TDocument::SetOrthoDown(bool down)
{
    if (Document::SetOrthoDown(down))
        emit orthoChanged(down);
}

void TDocument::RefreshMaxIntensity(int first, int last)
{
    if (Document::RefreshMaxIntensity(first, last))
        emit maxIntensityChanged();
}

void TDocument::AnnounceFileWritten(const std::string& path) { emit fileWritten(QByteArray::fromStdString(path)); }
