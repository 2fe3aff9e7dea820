#pragma once
// Subcommands of gonilux-cli. Each returns the process exit code (3 for an input error).

// Every subcommand reads its file through the one reader.
#include "read_file.h"

int RunInfo(int argc, char** argv);
int RunGoniogram(int argc, char** argv);
int RunRender(int argc, char** argv);
int RunCheck(int argc, char** argv);
int RunConvert(int argc, char** argv);
int RunDiagram(int argc, char** argv);
int RunUgr(int argc, char** argv);
int RunReport(int argc, char** argv);
