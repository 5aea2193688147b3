#pragma once
// Reports a failure to the viewer as one line on standard error,
// "Error: <text>", and returns: the presentation goes on.
void showErrorLine(const char* text);
