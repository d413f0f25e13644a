// Run-length coding of byte strings, the form in which the work-area backgrounds are kept.
//
// An encoded string is a sequence of two-byte pairs (count - 1, byte): the pair (c, b) stands
// for b written c + 1 times. There is no header or terminator, so a well-formed encoding has an
// even length and the empty string encodes the empty string.
#pragma once

#include <QByteArray>

namespace vx {

// Runs longer than 256 bytes are split into pieces of 256 and a remainder.
QByteArray RLEEncode(const QByteArray& Data);
// Raises EvxException "Bad encoded string length" when Encoded has an odd length.
QByteArray RLEDecode(const QByteArray& Encoded);

}  // namespace vx
