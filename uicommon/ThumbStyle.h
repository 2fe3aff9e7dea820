#pragma once
// The style shared by every track bar of the program: the application's own, with a thumb 10 pixels thick.

class QStyle;

// One instance for the whole run.
QStyle* TrackBarThumbStyle();
