// The details window's way to the datasheet: "Datasheet..." and "Print..." (Ctrl+P) under the tabs.
#include "FormDetails.h"

#include "DatasheetActions.h"
#include "Notifier.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

void TFormDetails::BuildDatasheetButtons(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    DatasheetButton = new QPushButton(QStringLiteral("D&atasheet..."));
    DatasheetButton->setToolTip(QStringLiteral("Save the file's one-page datasheet as PDF"));
    PrintButton = new QPushButton(QStringLiteral("&Print..."));
    PrintButton->setToolTip(QStringLiteral("Print the file's one-page datasheet (Ctrl+P)"));
    row->addWidget(DatasheetButton);
    row->addWidget(PrintButton);
    layout->addLayout(row);
    connect(DatasheetButton, &QPushButton::clicked, this, &TFormDetails::SaveDatasheet);
    connect(PrintButton, &QPushButton::clicked, this, &TFormDetails::PrintDatasheet);
    auto* print = new QShortcut(QKeySequence::Print, this, nullptr, nullptr, Qt::WindowShortcut);
    connect(print, &QShortcut::activated, this, &TFormDetails::PrintDatasheet);
}

void TFormDetails::SaveDatasheet()
{
    Guard([this] { datasheetui::SaveDatasheet(this, file_); });
}

void TFormDetails::PrintDatasheet()
{
    Guard([this] { datasheetui::PrintDatasheet(this, file_); });
}
