#pragma once

#include <QByteArray>

// `name` cut to at most `bytes` bytes, never inside a UTF-8 sequence.
QByteArray cutName(QByteArray name, qsizetype bytes);

// Moves the file or folder `from` to `to` unless something of that name exists; 0, or the
// reason it did not (EEXIST when the name is taken).
int renameNoReplace(const QByteArray& from, const QByteArray& to);
