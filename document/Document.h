#pragma once
// The file open in the viewer: the record read from it, the lines around it, the plane selected and the two view
// switches that decide the diagram's scale. The windows share one document and change it only through here.

#include "IesReader.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <string>

class Document {
public:
    // The record of the file last read; an empty intensity table while no file is loaded.
    const tIES& IESData() const { return ies_; }
    // The header lines of the last file read, up to and including the TILT line.
    const TStringList& HeaderLines() const { return headerLines_; }
    // The header numbers read with HeaderLines() (photometric type, lamps, dimensions, watts ...), kept for the
    // windows that show them.
    const tPhotometricHeader& Header() const { return header_; }
    // What the reader left of the file's lines: the numeric text after a successful read of an IES file as the
    // only line, nothing for EULUMDAT.
    const TStringList& FileLines() const { return fileLines_; }
    // The intensity at the diagram's full radius while fit is up (see RefreshMaxIntensity).
    long double MaxIntensity() const { return maxIntensity_; }
    // Path of the file whose record is held, as raw file-system bytes; empty while no file is loaded.
    const std::string& FileName() const { return fileName_; }
    int SelectedPlane() const { return selectedPlane_; }
    bool FitDown() const { return fitDown_; }
    bool OrthoDown() const { return orthoDown_; }

    // Empties the intensity table, then reads the file at path into the record, as an EULUMDAT file when its name
    // ends in ".ldt" (any case) and as an IES file otherwise. The IES header check's message goes to onHeaderError
    // while the read goes on; an EULUMDAT field the record does not need gives none (the checker reports it). Throws
    // std::runtime_error when the file cannot be read; the table stays empty then and FileName() becomes empty; the
    // header lines and numbers keep those of the last file read.
    void Load(const std::string& path, const HeaderErrorSink& onHeaderError);

    // Each returns whether the value changed.
    bool SelectPlane(int plane);
    bool SetFitDown(bool down);
    bool SetOrthoDown(bool down);

    // While fit is up and a record is loaded, MaxIntensity becomes the largest value of planes first to last;
    // otherwise it keeps its value. Returns whether it was recomputed.
    bool RefreshMaxIntensity(int first, int last);

    // The numeric text is only needed while reading; it is let go when the viewer closes.
    void ReleaseFileLines() { fileLines_.clear(); }

private:
    tIES ies_;
    TStringList headerLines_;
    tPhotometricHeader header_;
    TStringList fileLines_;
    long double maxIntensity_ = 0;
    std::string fileName_;
    int selectedPlane_ = 0;
    bool fitDown_ = false;
    bool orthoDown_ = false;
};
