#include "vxQBHelper.h"

#include "vxCommon.h"

namespace vx {

QByteArray RLEEncode(const QByteArray& Data) {
  constexpr qsizetype MaxRun = 256;
  QByteArray Encoded;
  const qsizetype Length = Data.size();
  for (qsizetype I = 0; I < Length;) {
    const char Byte = Data[I];
    qsizetype Run = 1;
    while (Run < MaxRun && I + Run < Length && Data[I + Run] == Byte) ++Run;
    Encoded.append(static_cast<char>(Run - 1));
    Encoded.append(Byte);
    I += Run;
  }
  return Encoded;
}

QByteArray RLEDecode(const QByteArray& Encoded) {
  if (Encoded.size() % 2 != 0) throw EvxException("Bad encoded string length");
  qsizetype Length = 0;
  for (qsizetype I = 0; I < Encoded.size(); I += 2) Length += static_cast<unsigned char>(Encoded[I]) + 1;
  QByteArray Data;
  Data.reserve(Length);
  for (qsizetype I = 0; I < Encoded.size(); I += 2)
    Data.append(static_cast<unsigned char>(Encoded[I]) + 1, Encoded[I + 1]);
  return Data;
}

}  // namespace vx
