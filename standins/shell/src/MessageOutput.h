#pragma once

// Where the process's Qt messages go while the shell runs: warnings, criticals and fatal
// messages to stderr as always; debug and info lines (the add-on's inner steps) only
// when debug output is on, which it is not by default: a page developer's terminal stays
// clean unless asked.
namespace MessageOutput {

// Installs the shell's message handler in front of the one there was. Once; later calls
// do nothing.
void install();
void setDebugEnabled(bool bEnabled);
bool debugEnabled();

} // namespace MessageOutput
