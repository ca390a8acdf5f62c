// The binary property stream: exact bytes of every value the system writes, built by hand
// from the format's rules, every value tag read back, and damaged records refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/stream/Reader.h"
#include "app/stream/Writer.h"
#include "tests/files/Byte.h"

namespace qx {
namespace {

using test::Byte;
using test::Hex;

std::string Scritto(const TValoreStream& v) {
  std::string out;
  TWriter w(out);
  w.WriteValore(v);
  return Hex(out);
}

TValoreStream Letto(const std::string& byte) {
  TReader r(byte);
  TValoreStream v = r.ReadValore();
  EXPECT_TRUE(r.Fine()) << "bytes left after the value";
  return v;
}

std::string ErroreDi(const std::string& byte) {
  try {
    TReader r(byte);
    r.ReadRootComponent();
  } catch (const EReadError& e) {
    return e.what();
  }
  return "<letto>";
}

TEST(Stream, IntegersTakeTheSmallestSignedSize) {
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(0)), "02 00");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(127)), "02 7F");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(-128)), "02 80");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(128)), "03 80 00");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(-129)), "03 7F FF");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(32767)), "03 FF 7F");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(-32768)), "03 00 80");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(40000)), "04 40 9C 00 00");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(-32769)), "04 FF 7F FF FF");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(2147483647)), "04 FF FF FF 7F");
  EXPECT_EQ(Scritto(TValoreStream::DiIntero(2147483648LL)), "13 00 00 00 80 00 00 00 00");
  for (const std::int64_t v : {0LL, 127LL, 128LL, -129LL, 40000LL, -2147483648LL, 1LL << 40}) {
    std::string out;
    TWriter(out).WriteInteger(v);
    EXPECT_EQ(Letto(out).Intero, v);
  }
}

TEST(Stream, BooleansIdentifiersAndSets) {
  EXPECT_EQ(Scritto(TValoreStream::DiBooleano(true)), "09");
  EXPECT_EQ(Scritto(TValoreStream::DiBooleano(false)), "08");
  EXPECT_EQ(Scritto(TValoreStream::DiIdent("T_PUNTO")), "07 07 54 5F 50 55 4E 54 4F");
  EXPECT_EQ(Scritto(TValoreStream::DiSet({})), "0B 00");
  EXPECT_EQ(Scritto(TValoreStream::DiSet({"fsBold", "fsItalic"})),
            "0B 06 66 73 42 6F 6C 64 08 66 73 49 74 61 6C 69 63 00");
  const TValoreStream s = Letto(Byte("0B 06 66 73 42 6F 6C 64 00"));
  EXPECT_EQ(s.Tipo, TValueType::vaSet);
  EXPECT_EQ(s.Insieme, std::vector<std::string>{"fsBold"});
  EXPECT_EQ(Letto(Byte("09")).Tipo, TValueType::vaTrue);
  EXPECT_EQ(Letto(Byte("07 03 63 6C 58")).Testo, "clX");
}

TEST(Stream, RealsAreTheTenByteExtendedFormatBitForBit) {
  EXPECT_EQ(Scritto(TValoreStream::DiExtended(1.5L)), "05 00 00 00 00 00 00 00 C0 FF 3F");
  EXPECT_EQ(Scritto(TValoreStream::DiExtended(-2.0L)), "05 00 00 00 00 00 00 00 80 00 C0");
  EXPECT_EQ(Scritto(TValoreStream::DiSingle(1.5f)), "0F 00 00 C0 3F");
  const long double valori[] = {1e99L, 1e100L, 1e101L, 1e102L, 0.1L, -1.0L / 3, 1e-4950L,
                                std::numeric_limits<long double>::infinity(),
                                std::numeric_limits<long double>::denorm_min(), 12345.678901234567890L};
  for (const long double x : valori) {
    std::string out;
    TWriter(out).WriteExtended(x);
    ASSERT_EQ(out.size(), 11u);
    const long double y = Letto(out).Reale;
    EXPECT_EQ(std::memcmp(&x, &y, 10), 0) << static_cast<double>(x);
  }
  // The error values keep their bits; 1e99 in full:
  std::string out;
  TWriter(out).WriteExtended(1e99L);
  long double atteso = 1e99L;
  EXPECT_EQ(out.substr(1), std::string(reinterpret_cast<const char*>(&atteso), 10));
  // A NaN keeps its payload.
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  out.clear();
  TWriter(out).WriteExtended(nan);
  EXPECT_TRUE(std::isnan(Letto(out).Reale));
}

TEST(Stream, StringsAreShortOrLongByTheirByteLengthInWindows1252) {
  EXPECT_EQ(Scritto(TValoreStream::DiStringa("")), "06 00");
  EXPECT_EQ(Scritto(TValoreStream::DiStringa("è§")), "06 02 E8 A7");
  EXPECT_EQ(Scritto(TValoreStream::DiStringa("€")), "06 01 80");
  const std::string s255(255, 'a'), s256(256, 'b');
  std::string out;
  TWriter(out).WriteString(s255);
  EXPECT_EQ(out, Byte("06 FF") + s255);
  out.clear();
  TWriter(out).WriteString(s256);
  EXPECT_EQ(out, Byte("0C 00 01 00 00") + s256);
  EXPECT_EQ(Letto(out).Testo, s256);
  // 200 characters of two UTF-8 bytes each are 200 bytes on disk: still short.
  std::string e200;
  for (int i = 0; i < 200; ++i) e200 += "è";
  out.clear();
  TWriter(out).WriteString(e200);
  EXPECT_EQ(Hex(out.substr(0, 2)), "06 C8");
  EXPECT_EQ(Letto(out).Testo, e200);
}

TEST(Stream, ACharacterTheCodePageLacksIsWrittenAsAQuestionMarkAndSaid) {
  std::string out;
  TWriter w(out);
  w.WriteString("π=3");
  EXPECT_EQ(Hex(out), "06 03 3F 3D 33");
  EXPECT_TRUE(w.Perdita());
  w.AzzeraPerdita();
  w.WriteString("è");
  EXPECT_FALSE(w.Perdita());
}

TEST(Stream, EveryValueTagOfTheToolkitIsRead) {
  EXPECT_EQ(Letto(Byte("02 FF")).Intero, -1);
  EXPECT_EQ(Letto(Byte("03 FE FF")).Intero, -2);
  EXPECT_EQ(Letto(Byte("04 00 00 00 80")).Intero, INT32_MIN);
  EXPECT_EQ(Letto(Byte("13 01 00 00 00 00 00 00 80")).Intero, INT64_MIN + 1);
  EXPECT_EQ(Letto(Byte("0F 00 00 20 40")).Reale, 2.5L);  // single
  EXPECT_EQ(Letto(Byte("11 00 00 00 00 00 00 F8 3F")).Reale, 1.5L);  // date (a double)
  const TValoreStream c = Letto(Byte("10 10 27 00 00 00 00 00 00"));  // currency: 1.0000
  EXPECT_EQ(c.Tipo, TValueType::vaCurrency);
  EXPECT_EQ(c.Numero(), 1.0L);
  EXPECT_EQ(Letto(Byte("0C 02 00 00 00 E8 A7")).Testo, "è§");
  EXPECT_EQ(Letto(Byte("12 02 00 00 00 E8 00 C0 03")).Testo, "èπ");  // wide string
  EXPECT_EQ(Letto(Byte("12 02 00 00 00 3D D8 00 DE")).Testo, "\xF0\x9F\x98\x80");  // a surrogate pair
  EXPECT_EQ(Letto(Byte("12 01 00 00 00 00 D8")).Testo, "\xEF\xBF\xBD");  // a lone surrogate
  EXPECT_EQ(Letto(Byte("14 03 00 00 00 CF 80 21")).Testo, "π!");  // UTF-8 string
  EXPECT_EQ(Letto(Byte("14 01 00 00 00 FF")).Testo, "\xEF\xBF\xBD");
  EXPECT_EQ(Letto(Byte("0A 03 00 00 00 00 01 FF")).Testo, Byte("00 01 FF"));  // binary
  EXPECT_EQ(Letto(Byte("0D")).Tipo, TValueType::vaNil);
  const TValoreStream l = Letto(Byte("01 02 05 08 01 00 00"));  // list: 5, False, empty list
  ASSERT_EQ(l.Lista.size(), 3u);
  EXPECT_EQ(l.Lista[0].Intero, 5);
  EXPECT_EQ(l.Lista[1].Tipo, TValueType::vaFalse);
  EXPECT_TRUE(l.Lista[2].Lista.empty());
  // A collection: an item with an order number and one without.
  const TValoreStream k = Letto(Byte("0E 02 07 01 01 78 02 03 00 01 00 00"));
  ASSERT_EQ(k.Collezione.size(), 2u);
  EXPECT_TRUE(k.Collezione[0].bOrdine);
  EXPECT_EQ(k.Collezione[0].Ordine, 7);
  EXPECT_EQ(k.Collezione[0].Proprieta.at(0).Nome, "x");
  EXPECT_EQ(k.Collezione[0].Proprieta.at(0).Valore.Intero, 3);
  EXPECT_FALSE(k.Collezione[1].bOrdine);
}

TEST(Stream, CollectionsAndWholeRecordsAreWrittenAsTheToolkitDoes) {
  TValoreStream c;
  c.Tipo = TValueType::vaCollection;
  c.Collezione.resize(2);
  c.Collezione[0].Proprieta.push_back({"x", TValoreStream::DiExtended(1.5L)});
  EXPECT_EQ(Scritto(c), "0E 01 01 78 05 00 00 00 00 00 00 00 C0 FF 3F 00 01 00 00");
  TComponenteStream r;
  r.Classe = "cTipo";
  r.Aggiungi("Tipo", TValoreStream::DiIdent("T_PUNTO"));
  std::string out;
  TWriter(out).WriteRootComponent(r);
  EXPECT_EQ(Hex(out),
            "54 50 46 30 05 63 54 69 70 6F 00 04 54 69 70 6F 07 07 54 5F 50 55 4E 54 4F 00 00");
  TReader rd(out);
  const TComponenteStream letto = rd.ReadRootComponent();
  EXPECT_TRUE(rd.Fine());
  EXPECT_EQ(letto.Classe, "cTipo");
  EXPECT_EQ(letto.NomeComponente, "");
  ASSERT_EQ(letto.Proprieta.size(), 1u);
  EXPECT_EQ(letto.Proprieta[0].Nome, "Tipo");
  EXPECT_EQ(letto.Proprieta[0].Valore.Testo, "T_PUNTO");
  // Every value written is read back as it was.
  TComponenteStream tutto;
  tutto.Classe = "cProva";
  tutto.NomeComponente = "Nome";
  tutto.Aggiungi("Pen.Color", TValoreStream::DiIdent("clRed"));
  tutto.Aggiungi("L", TValoreStream::DiStringa(std::string(300, 'z')));
  tutto.Aggiungi("S", TValoreStream::DiSet({"fsUnderline"}));
  tutto.Aggiungi("C", c);
  tutto.Aggiungi("N", TValoreStream::DiNil());
  out.clear();
  TWriter(out).WriteRootComponent(tutto);
  std::string di_nuovo;
  TReader rd2(out);
  TWriter(di_nuovo).WriteRootComponent(rd2.ReadRootComponent());
  EXPECT_EQ(Hex(di_nuovo), Hex(out));
}

TEST(Stream, DamagedRecordsAreRefusedWithWhatWasWrong) {
  EXPECT_EQ(ErroreDi(""), "il file finisce prima del previsto");
  EXPECT_EQ(ErroreDi("TPF1"), "un oggetto non comincia con TPF0");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 00")), "un oggetto senza nome di classe");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 01 63 00 01 61 15")), "valore di tipo sconosciuto (21)");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 01 63 00 01 61 0C FF FF FF FF 41")), "il file finisce prima del previsto");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 01 63 00 01 61 00")), "valore mancante");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 01 63 00 01 61 0E 05 00")), "elemento di una collezione senza inizio");
  EXPECT_EQ(ErroreDi(Byte("54 50 46 30 01 63 00 00")), "il file finisce prima del previsto");
  // Nesting far deeper than any file has is refused, not followed down the stack.
  std::string profondo = Byte("54 50 46 30 01 63 00 01 61") + std::string(100000, '\x01');
  EXPECT_EQ(ErroreDi(profondo), "valori annidati troppo in profondità");
  std::string figli = Byte("54 50 46 30");
  for (int i = 0; i < 100000; ++i) figli += Byte("01 63 00 00");
  EXPECT_EQ(ErroreDi(figli), "oggetti annidati troppo in profondità");
}

}  // namespace
}  // namespace qx
