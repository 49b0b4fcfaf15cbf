#include "core/text/textutils.hpp"

#include <gtest/gtest.h>

using namespace zerlant;

namespace {
// The text plus its folded copy, for the procedures that take a TextRef.
struct T {
    explicit T(std::string s) : f(std::move(s)) {}
    operator TextRef() const { return f.ref(); }
    FoldedText f;
};
std::string cut(const std::string& text, std::string_view a, std::string_view b, bool fromEnd) {
    return textoentre(T(text), a, b, fromEnd).str();
}
}  // namespace

TEST(Textoentre, MarkersOccurrencesAndEmptyCases) {
    EXPECT_EQ(cut("E= -1.5 A.U.", "E=", "A.U.", false), " -1.5 ");
    EXPECT_EQ(cut("|HF=-1.1|x|HF=-2.2|y", "|HF=", "|", true), "-2.2");
    EXPECT_EQ(cut("|HF=-1.1|x|HF=-2.2|y", "|HF=", "|", false), "-1.1");
    // The end marker is searched from one character after the start marker.
    EXPECT_EQ(cut("a||b|c", "|", "|", false), "|b");
    // Case is ignored in both searches.
    EXPECT_EQ(cut("Sum of ELECTRONIC and zero-point Energies=  -1.5\r\n", "electronic AND",
                  "ENERGIES", false),
              " zero-point ");
    EXPECT_EQ(cut("abc", "b", "x", false), "");
    EXPECT_EQ(cut("abc", "x", "c", false), "");
    EXPECT_EQ(cut("abcdef", "b", "", false), "cdef");
    EXPECT_EQ(cut("abcdef", "ef", "", false), "");
    EXPECT_EQ(cut("", "a", "b", false), "");
    EXPECT_EQ(cut("abc", "", "c", false), "");
    // The result is a window that can be searched again without folding.
    FoldedText text(std::string("x Standard orientation: A\r\nB Standard orientation: C\r\nD"));
    TextRef last = textoentre(text, "standard ORIENTATION:", "\r\n", true);
    EXPECT_EQ(last.str(), " C");
    EXPECT_TRUE(last.contains("c"));
}

TEST(Numeroentre, TrimmedNumericPieceOrZero) {
    EXPECT_DOUBLE_EQ(numeroentre(T("E= -1.5 A.U."), "E=", "A.U.", false), -1.5);
    EXPECT_DOUBLE_EQ(numeroentre(T("x=1.2.3x;"), "x=", ";", false), 0.0);
    EXPECT_DOUBLE_EQ(numeroentre(T("x= 12 ;"), "x=", ";", true), 12.0);
    EXPECT_DOUBLE_EQ(numeroentre(T("x= 12"), "x=", ";", false), 0.0);
    EXPECT_DOUBLE_EQ(numeroentre(T("Dipole= 1.5D-01 y"), "dipole=", "Y", false), 0.15);
}

TEST(Contienetexto, CaseBlindAndNeverOnEmpty) {
    EXPECT_TRUE(contienetexto(T("Normal termination of Gaussian"), "NORMAL TERMINATION"));
    EXPECT_FALSE(contienetexto(T("Normal termination of Gaussian"), ""));
    EXPECT_FALSE(contienetexto(T(""), "a"));
    EXPECT_FALSE(contienetexto(T("Normal term"), "termination"));
    EXPECT_TRUE(contienetexto(std::string_view("Normal termination of Gaussian"), "OF GAUSS"));
    EXPECT_FALSE(contienetexto(std::string_view("abc"), "abcd"));
}

TEST(Primernumerotras, FirstFieldWhoseTextLessLastCharacterIsNumeric) {
    T scf(" SCF Done:  E(RHF) =  -39.7268  A.U. after 8 cycles\r\n next\r\n");
    EXPECT_DOUBLE_EQ(primernumerotras(scf, "SCF Done:", " ", false), -39.7268);
    EXPECT_DOUBLE_EQ(primernumerotras(T("EPS=   2\r\n"), "EPS=", " ", false), 0.0);
    EXPECT_DOUBLE_EQ(primernumerotras(T("EPS=   25\r\n"), "EPS=", " ", false), 25.0);
    // No CR LF after the anchor: 0.
    EXPECT_DOUBLE_EQ(primernumerotras(T("SCF Done:  E(RHF) =  -39.7268"), "SCF Done:", " ", false),
                     0.0);
    T extent(" Electronic spatial extent (au):  <R**2>=             35.1234\r\n");
    EXPECT_DOUBLE_EQ(primernumerotras(extent, "Electronic spatial extent (au)", "=", false),
                     35.1234);
    T two("a: 1.5x\r\na: 2.5x\r\n");
    EXPECT_DOUBLE_EQ(primernumerotras(two, "a:", " ", false), 1.5);
    EXPECT_DOUBLE_EQ(primernumerotras(two, "a:", " ", true), 2.5);
    EXPECT_DOUBLE_EQ(primernumerotras(T("k= 7\r\n"), "missing", " ", false), 0.0);
    // An empty separator leaves the whole line as one field.
    EXPECT_DOUBLE_EQ(primernumerotras(T("k=  -40.5183\r\n"), "k=", "", false), -40.5183);
}

TEST(Leercomponentes, LeadingNumbersOfCommaParts) {
    auto v = leercomponentes("0.,0.,-0.6518744", 3);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0], 0.0);
    EXPECT_EQ(v[1], 0.0);
    EXPECT_DOUBLE_EQ(v[2], -0.6518744);
    auto few = leercomponentes("1.5,x", 4);  // missing parts give 0
    EXPECT_EQ(few, (std::vector<double>{1.5, 0.0, 0.0, 0.0}));
    EXPECT_EQ(leercomponentes("1,2,3,4", 2), (std::vector<double>{1.0, 2.0}));
    EXPECT_TRUE(leercomponentes("1", 0).empty());
}

TEST(Lists, QuitarvaciosPalabraenlistaSimboloelemento) {
    std::vector<std::string> in{"", "1", "", "6", "0.5", ""};
    EXPECT_EQ(quitarvacios(in), (std::vector<std::string>{"1", "6", "0.5"}));
    std::vector<std::string> out{"kept"};
    quitarvacios(std::vector<std::string>{"", ""}, out);
    EXPECT_EQ(out, std::vector<std::string>{"kept"});  // nothing copied: left as it was
    quitarvacios(in, out);
    EXPECT_EQ(out, (std::vector<std::string>{"1", "6", "0.5"}));
    auto views = quitarvacios(splitText("  1   C  ", " "));
    EXPECT_EQ(views, (std::vector<std::string_view>{"1", "C"}));

    EXPECT_TRUE(palabraenlista("C", "C H O"));
    EXPECT_FALSE(palabraenlista("c", "C H O"));
    EXPECT_FALSE(palabraenlista("CH", "C H O"));
    EXPECT_TRUE(palabraenlista("", "C  H"));  // two blanks make an empty piece

    EXPECT_EQ(simboloelemento(1), "H");
    EXPECT_EQ(simboloelemento(17), "Cl");
    EXPECT_EQ(simboloelemento(103), "Lr");
    EXPECT_EQ(simboloelemento(0), "");
    EXPECT_EQ(simboloelemento(104), "");
}

TEST(Entradaarchivo, FromFirstEntryToTheClosingAt) {
    std::string tail =
        "junk 1|1|x\r\n 1|1|GINC|SP|RHF|STO-3G|H2|USER|1-Jan-2020|0||#p hf\r\n /sto-3g||t||0,1|H"
        ",0.,0.,0.|H,0.,0.,0.7||Version=X|HF=-1.1|Dipole=0.,0.,-0.5||@\r\n after @ more\r\n";
    T text(tail);
    std::string joined = entradaarchivo(text, true);
    EXPECT_EQ(joined.substr(0, 6), "1|1|x1");
    EXPECT_EQ(joined.find('\r'), std::string::npos);
    EXPECT_EQ(joined.substr(joined.size() - 5), "0.5||");
    EXPECT_NE(joined.find("#p hf/sto-3g||"), std::string::npos);
    std::string raw = entradaarchivo(text, false);
    EXPECT_NE(raw.find("#p hf\r\n /sto-3g"), std::string::npos);
    EXPECT_EQ(raw.size(), joined.size() + 6);

    // "1|1|" is compared exactly; no entry gives the empty text.
    EXPECT_EQ(entradaarchivo(T("1|1|a||@"), true), "1|1|a||");
    EXPECT_EQ(entradaarchivo(T("x 1|1|a||b"), true), "");
    EXPECT_EQ(entradaarchivo(T("no entry @"), true), "");

    // An "@" inside a field (a user name) does not end the entry, also when
    // the closing "||@" is split by a wrapped line.
    T user("1|1|G|FOpt|RB3LYP|STO-3G|H2O1|ME@HOST.EDU|1-Jan-2020|0||#p||t||-1,1|O||V=1|\r\n @\r\n");
    EXPECT_EQ(entradaarchivo(user, true),
              "1|1|G|FOpt|RB3LYP|STO-3G|H2O1|ME@HOST.EDU|1-Jan-2020|0||#p||t||-1,1|O||V=1|");
    // Without any "@" after a "|", the first "@" ends it.
    EXPECT_EQ(entradaarchivo(T("1|1|a@b"), true), "1|1|a");
}

TEST(Entradaarchivo, SearchesOnlyTheTail) {
    std::string big(kTailBytes + 10, 'x');
    big.replace(0, 8, "1|1|A||@");  // before the tail: not seen
    big.replace(kTailBytes, 8, "1|1|B||@");
    EXPECT_EQ(entradaarchivo(T(big), true), "1|1|B||");
}

TEST(Tiempocpu, DaysHoursMinutesSeconds) {
    EXPECT_EQ(tiempocpu(T(":  0 days  0 hours  1 minutes 23.4 seconds."), '.'), "0:1:23.4");
    EXPECT_EQ(tiempocpu(T(":  0 days  0 hours  1 minutes 23.4 seconds."), ','), "0:1:23,4");
    EXPECT_EQ(tiempocpu(T(":       2 days  3 hours  4 minutes  5.0 seconds."), '.'), "2:3:4:5");
    EXPECT_EQ(tiempocpu(T(""), '.'), "0:0:0");
}

TEST(JoinWrappedLines, RemovesLineEndAndBlankOnly) {
    EXPECT_EQ(joinWrappedLines("abc\r\n def\r\nghi\n jkl\r\n"), "abcdef\r\nghi\n jkl\r\n");
    EXPECT_EQ(joinWrappedLines("\r\r\n \n "), "\r\n ");
    EXPECT_EQ(joinWrappedLines(""), "");
}
