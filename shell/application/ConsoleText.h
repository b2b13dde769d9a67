#pragma once

#include <QString>

// Text a batch run prints for people and for line-counting scripts: one file, one line, always.
namespace ConsoleText {

// `text` with every control character (a line feed, a carriage return, an escape that would
// move the cursor) written as a C escape: \n, \t, \033, ...
QString escaped(const QString& text);
// A name as `ls --quoting-style=c` shows it, in double quotes with C escapes, when it holds a
// control character or starts with a double quote; otherwise as it is.
QString quotedName(const QString& name);
// "0:07", "12:34", "1:02:03": the hours only when there are any.
QString clock(double seconds);

} // namespace ConsoleText
