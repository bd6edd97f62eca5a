// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as untrusted input. QSettings takes a value that begins with "@Variant(" or "@DateTime("
// for a serialized object and rebuilds it from the bytes that follow, trusting every size they declare: a few
// bytes in a damaged or hostile file make it reserve gigabytes, or end the program when it cannot. The game
// only ever stores texts, and QSettings writes a text that begins with "@" with the "@" doubled, so such a
// value was never written by the game. Doubling its "@" before QSettings sees the file makes it read as the
// plain text it is, which the record's rules then treat as a value they cannot read.
#pragma once

#include <QByteArray>
#include <QString>

namespace zem::platform::qt {

// The INI text with the "@" of every value (and every element of a value list) that would be read as a
// serialized object doubled; the text unchanged when there is none. A value written in escapes
// ("\x40Variant(") or quotes is found as well.
QByteArray defuseStoredObjects(const QByteArray& ini);

// Whether the file at `path` holds such a value; when it does, `defused` receives the safe text.
bool fileHoldsStoredObjects(const QString& path, QByteArray& defused);

}  // namespace zem::platform::qt
