#pragma once
// The Diagrams tab: a selector for the kind of diagram, the mounting height (isolux) or the cone's heights, the
// sections and units of the cartesian curve, and the diagram itself. It shows the record and plane it is given.

#include "DiagramInput.h"

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class TDiagramView;

class TDiagramsPage : public QWidget {
    Q_OBJECT
public:
    explicit TDiagramsPage(QWidget* parent = nullptr);

    // The record and header to draw (null: no file); they must stay until the next call.
    void ShowFile(const tIES* ies, const tPhotometricHeader* header);
    void ShowPlane(int plane);

    diagrams::Kind Kind() const;
    void SetKind(diagrams::Kind kind);
    diagrams::DiagramInput Input() const;

    // The diagram's numbers as tab-separated text with the locale's decimal separator; the reason when the file
    // has no such diagram; empty while no file is loaded.
    QString CopyText() const;

    // The kind and heights in section of the settings file (keys Diagram, DiagramHeight, ConeFrom, ConeTo). A key
    // missing or unusable keeps what the page has; a write that fails throws std::runtime_error.
    void ReadSettings(const std::string& path, const std::string& section);
    void WriteSettings(const std::string& path, const std::string& section) const;

    // The widgets whose own Ctrl+C the window takes over.
    std::vector<QWidget*> CopyKeyWidgets() const;

    QComboBox* KindBox = nullptr;
    QDoubleSpinBox* HeightBox = nullptr;
    QDoubleSpinBox* FromBox = nullptr;
    QDoubleSpinBox* ToBox = nullptr;
    QComboBox* SectionBox = nullptr;
    QCheckBox* PerKlmBox = nullptr;
    TDiagramView* View = nullptr;

private:
    void Update();

    const tIES* ies_ = nullptr;
    const tPhotometricHeader* header_ = nullptr;
    int plane_ = 0;
    std::vector<QWidget*> heightControls_, coneControls_, cartesianControls_;
};
