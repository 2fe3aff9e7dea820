#pragma once
// Subcommands of gonilux-cli. Each returns the process exit code (3 for an input error).

int RunInfo(int argc, char** argv);
int RunGoniogram(int argc, char** argv);
int RunRender(int argc, char** argv);
