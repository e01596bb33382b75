#include "StraznikXML.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <initializer_list>

namespace {

// Longer than any real one; it bounds what is held to judge the encoding.
constexpr qsizetype MaksDeklaracji = 512;

bool jestBialy(char32_t p_Znak)
{
    return p_Znak == ' ' || p_Znak == '\t' || p_Znak == '\n' || p_Znak == '\r';
}

// Printable ASCII as itself; anything else as "?", so a message never carries control bytes.
char ascii(char32_t p_Znak)
{
    return (p_Znak >= 0x20 && p_Znak < 0x7F) || jestBialy(p_Znak) ? char(p_Znak) : '?';
}

bool cyfryWZakresie(const QByteArray &p_Tekst, int p_Od, int p_Do)
{
    bool ok = false;
    const int liczba = p_Tekst.toInt(&ok);
    return ok && p_Tekst.at(0) != '+' && (p_Tekst.size() == 1 || p_Tekst.at(0) != '0') && liczba >= p_Od && liczba <= p_Do;
}

// Encodings in which every byte below 0x80 is that ASCII character, so that
// the markup reads the same to the guard and to the parser.
bool kodowanieJednobajtowe(const QByteArray &p_Nazwa)
{
    static const QByteArray nazwy[] = {"UTF-8", "UTF8", "US-ASCII", "ASCII", "ISO-LATIN-1", "ISO-LATIN-2", "LATIN1", "LATIN2"};
    for (const QByteArray &nazwa : nazwy)
        if (p_Nazwa == nazwa)
            return true;
    if (p_Nazwa.startsWith("ISO-8859-"))
        return cyfryWZakresie(p_Nazwa.mid(9), 1, 16);
    for (const char *prefiks : {"WINDOWS-125", "CP125"})
        if (p_Nazwa.startsWith(prefiks))
            return p_Nazwa.size() == qsizetype(std::strlen(prefiks)) + 1 && cyfryWZakresie(p_Nazwa.right(1), 0, 8);
    return false;
}

QString odmowaKodowania(const QByteArray &p_Nazwa)
{
    return QStringLiteral("Dokument XML ma kodowanie \"%1\", którego program nie przyjmuje").arg(QString::fromLatin1(p_Nazwa));
}

} // namespace

bool TStraznikXML::Sprawdz(const char *p_Bajty, qsizetype p_Dlugosc)
{
    const auto *bajt = reinterpret_cast<const unsigned char *>(p_Bajty);
    if (FTryb == trRozpoznawanie && !Odrzucony()) {
        // The parser judges the encoding by the first four bytes; so does the guard.
        const qsizetype ile = std::min<qsizetype>(p_Dlugosc, 4 - FPoczatek.size());
        FPoczatek.append(p_Bajty, ile);
        bajt += ile;
        p_Dlugosc -= ile;
        if (FPoczatek.size() == 4)
            rozpoznajKodowanie(false);
    }
    if (!Odrzucony())
        bajty(bajt, p_Dlugosc);
    return !Odrzucony();
}

bool TStraznikXML::Zakoncz()
{
    if (FTryb == trRozpoznawanie && !Odrzucony())
        rozpoznajKodowanie(true);
    return !Odrzucony();
}

void TStraznikXML::rozpoznajKodowanie(bool p_Koniec)
{
    const auto poczatek = [this](std::initializer_list<int> p_Wzor) {
        qsizetype i = 0;
        for (const int bajt : p_Wzor)
            if (i >= FPoczatek.size() || static_cast<unsigned char>(FPoczatek[i++]) != bajt)
                return false;
        return true;
    };
    int znacznik = 0; // the byte-order mark's length
    FTryb = trBajty;
    // Fewer than four bytes: the parser reads them as UTF-8, unrecognised.
    if (!p_Koniec) {
        if (poczatek({0, 0, 0, 0x3C}) || poczatek({0x3C, 0, 0, 0}) || poczatek({0, 0, 0x3C, 0}) || poczatek({0, 0x3C, 0, 0}))
            return odrzuc(odmowaKodowania("UCS-4"));
        if (poczatek({0x4C, 0x6F, 0xA7, 0x94}))
            return odrzuc(odmowaKodowania("EBCDIC"));
        if (poczatek({0x3C, 0, 0x3F, 0})) {
            FTryb = trUtf16LE;
        } else if (poczatek({0, 0x3C, 0, 0x3F})) {
            FTryb = trUtf16BE;
        } else if (poczatek({0xEF, 0xBB, 0xBF})) {
            znacznik = 3;
        } else if (poczatek({0xFE, 0xFF})) {
            FTryb = trUtf16BE;
            znacznik = 2;
        } else if (poczatek({0xFF, 0xFE})) {
            FTryb = trUtf16LE;
            znacznik = 2;
        }
    }
    const QByteArray reszta = FPoczatek.mid(znacznik);
    FPoczatek.clear();
    bajty(reinterpret_cast<const unsigned char *>(reszta.constData()), reszta.size());
}

void TStraznikXML::bajty(const unsigned char *p_Bajty, qsizetype p_Dlugosc)
{
    if (FTryb == trBajty) {
        for (qsizetype i = 0; i < p_Dlugosc && !Odrzucony();) {
            i = pominZwykle(p_Bajty, i, p_Dlugosc);
            if (i < p_Dlugosc)
                znak(p_Bajty[i++]);
        }
        return;
    }
    for (qsizetype i = 0; i < p_Dlugosc && !Odrzucony(); ++i) {
        if (FBajtNieparzysty < 0) {
            FBajtNieparzysty = p_Bajty[i];
            continue;
        }
        const char32_t pierwszy = char32_t(FBajtNieparzysty);
        FBajtNieparzysty = -1;
        znak(FTryb == trUtf16LE ? pierwszy | char32_t(p_Bajty[i]) << 8 : pierwszy << 8 | p_Bajty[i]);
    }
}

namespace {

// The bytes that end a run, one table per kind of run; line ends end every run.
enum TRodzajBiegu { rbTekst, rbWartosc2, rbWartosc1, rbZnacznikKonca, rbKomentarz, rbCDATA, rbNazwa, rbIle };

using TTablicaBiegu = std::array<bool, 256>;

const std::array<TTablicaBiegu, rbIle> &tabliceBiegow()
{
    static const std::array<TTablicaBiegu, rbIle> tablice = [] {
        const char *const konce[rbIle] = {"<", "\"", "'", ">", "->", "]>", "\"'>/= \t"};
        std::array<TTablicaBiegu, rbIle> wynik{};
        for (int r = 0; r < rbIle; ++r) {
            for (const char *z = konce[r]; *z; ++z)
                wynik[r][static_cast<unsigned char>(*z)] = true;
            wynik[r]['\n'] = wynik[r]['\r'] = true;
        }
        return wynik;
    }();
    return tablice;
}

// Where the run from p_Od ends.
qsizetype koniecBiegu(const TTablicaBiegu &p_Konce, const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do)
{
    while (p_Od < p_Do && !p_Konce[p_Bajty[p_Od]])
        ++p_Od;
    return p_Od;
}

// Characters in a run: UTF-8 continuation bytes are not columns of their own.
int kolumnyBiegu(const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do, bool p_Utf8)
{
    if (!p_Utf8)
        return int(p_Do - p_Od);
    int dalsze = 0;
    for (qsizetype i = p_Od; i < p_Do; ++i)
        dalsze += (p_Bajty[i] & 0xC0) == 0x80;
    return int(p_Do - p_Od) - dalsze;
}

} // namespace

qsizetype TStraznikXML::pominZwykle(const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do)
{
    TRodzajBiegu rodzaj = rbTekst;
    switch (FStan) {
    case sTekst:
        break;
    case sWartosc:
        rodzaj = FCudzyslow == '"' ? rbWartosc2 : rbWartosc1;
        break;
    case sZnacznikKonca:
        rodzaj = rbZnacznikKonca;
        break;
    case sKomentarz:
        rodzaj = rbKomentarz;
        break;
    case sCDATA:
        rodzaj = rbCDATA;
        break;
    case sZnacznikStartu:
        return pominNazwe(p_Bajty, p_Od, p_Do);
    default:
        return p_Od;
    }
    const qsizetype i = koniecBiegu(tabliceBiegow()[rodzaj], p_Bajty, p_Od, p_Do);
    if (i > p_Od) {
        FKolumna += kolumnyBiegu(p_Bajty, p_Od, i, FUtf8);
        FNaPoczatku = false;
        FPoCR = false;
        if (rodzaj == rbKomentarz || rodzaj == rbCDATA)
            FKreski = 0;
    }
    return i;
}

qsizetype TStraznikXML::pominNazwe(const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do)
{
    const qsizetype i = koniecBiegu(tabliceBiegow()[rbNazwa], p_Bajty, p_Od, p_Do);
    if (i == p_Od)
        return i;
    if (!FWNazwie) {
        FWNazwie = true;
        FDlugoscNazwy = 0;
    }
    // Only the first characters are kept; the count stops one past them.
    for (qsizetype k = p_Od; k < i && FDlugoscNazwy <= int(FNazwa.size()); ++k, ++FDlugoscNazwy)
        if (FDlugoscNazwy < int(FNazwa.size()))
            FNazwa[FDlugoscNazwy] = ascii(p_Bajty[k]);
    FKolumna += kolumnyBiegu(p_Bajty, p_Od, i, FUtf8);
    FNaPoczatku = false;
    FPoCR = false;
    FUkosnik = false;
    return i;
}

void TStraznikXML::znak(char32_t p_Znak)
{
    // Columns count characters, as the parser's do.
    const bool dalszaCzesc = FTryb == trBajty ? FUtf8 && (p_Znak & 0xC0) == 0x80 : p_Znak >= 0xDC00 && p_Znak <= 0xDFFF;
    if (!dalszaCzesc)
        ++FKolumna;
    krok(p_Znak);
    FNaPoczatku = false;
    if (p_Znak == '\n' || p_Znak == '\r') {
        if (p_Znak == '\r' || !FPoCR)
            ++FWiersz;
        FKolumna = 0;
    }
    FPoCR = p_Znak == '\r';
}

void TStraznikXML::krok(char32_t p_Znak)
{
    switch (FStan) {
    case sTekst:
        if (p_Znak == '<') {
            FStan = sPoZnaku;
            FWierszZnacznika = FWiersz;
            FKolumnaZnacznika = FKolumna;
            FMozeDeklaracja = FNaPoczatku;
        }
        return;
    case sPoZnaku:
        if (p_Znak == '!') {
            FStan = sWykrzyknik;
            FWykrzyknik.clear();
        } else if (p_Znak == '?') {
            FStan = sInstrukcja;
            FPytajnik = false;
            FDeklaracja.clear();
        } else if (p_Znak == '/') {
            FStan = sZnacznikKonca;
        } else {
            FStan = sZnacznikStartu;
            FAtrybuty = 0;
            FPrzestrzenie = 0;
            FUkosnik = false;
            FWNazwie = false;
            krokZnacznikaStartu(p_Znak);
        }
        return;
    case sWykrzyknik: {
        static const QByteArray komentarz("--"), cdata("[CDATA["), doctype("DOCTYPE");
        FWykrzyknik.append(ascii(p_Znak));
        for (const QByteArray *wzor : {&komentarz, &cdata})
            if (wzor->startsWith(FWykrzyknik)) {
                if (FWykrzyknik.size() == wzor->size()) {
                    FStan = wzor == &komentarz ? sKomentarz : sCDATA;
                    FKreski = 0;
                }
                return;
            }
        if (!doctype.startsWith(FWykrzyknik))
            odrzuc(QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\""));
        else if (FWykrzyknik.size() == doctype.size())
            odrzuc(QStringLiteral("Dokument XML zawiera deklarację DOCTYPE, której program nie przyjmuje"));
        return;
    }
    case sKomentarz:
    case sCDATA: {
        const char32_t kreska = FStan == sKomentarz ? '-' : ']';
        if (p_Znak == '>' && FKreski >= 2)
            FStan = sTekst;
        else
            FKreski = p_Znak == kreska ? std::min(FKreski + 1, 2) : 0;
        return;
    }
    case sInstrukcja:
        return krokInstrukcji(p_Znak);
    case sZnacznikStartu:
        return krokZnacznikaStartu(p_Znak);
    case sWartosc:
        if (p_Znak == FCudzyslow)
            FStan = sZnacznikStartu;
        return;
    case sZnacznikKonca:
        if (p_Znak == '>') {
            if (FGlebokosc > 0)
                FWZasiegu -= FPrzestrzenieElementow[--FGlebokosc];
            FStan = sTekst;
        }
        return;
    }
}

void TStraznikXML::krokInstrukcji(char32_t p_Znak)
{
    if (p_Znak == '>' && FPytajnik) {
        FStan = sTekst;
        if (FMozeDeklaracja)
            koniecDeklaracji();
        return;
    }
    FPytajnik = p_Znak == '?';
    if (!FMozeDeklaracja)
        return;
    if (FDeklaracja.size() >= MaksDeklaracji)
        return odrzuc(QStringLiteral("Błędna deklaracja XML na początku dokumentu"));
    FDeklaracja.append(ascii(p_Znak));
    // Only "<?xml" and a blank at the very start declare; "<?xml-stylesheet" does not.
    if (FDeklaracja.size() == 4 && !(FDeklaracja.startsWith("xml") && jestBialy(char32_t(FDeklaracja[3]))))
        FMozeDeklaracja = false;
}

void TStraznikXML::koniecDeklaracji()
{
    // "xml", the pseudo-attributes, and the "?" of "?>".
    if (FDeklaracja.size() < 4)
        return;
    const QByteArray tresc = FDeklaracja.mid(3, FDeklaracja.size() - 4);
    const QString bledna = QStringLiteral("Błędna deklaracja XML na początku dokumentu");
    qsizetype i = 0;
    const auto pominBiale = [&] {
        while (i < tresc.size() && jestBialy(char32_t(tresc[i])))
            ++i;
    };
    for (;;) {
        pominBiale();
        if (i >= tresc.size())
            return;
        const qsizetype poczatekNazwy = i;
        while (i < tresc.size() && std::isalpha(static_cast<unsigned char>(tresc[i])))
            ++i;
        const QByteArray nazwa = tresc.mid(poczatekNazwy, i - poczatekNazwy);
        pominBiale();
        if (nazwa.isEmpty() || i >= tresc.size() || tresc[i] != '=')
            return odrzuc(bledna);
        ++i;
        pominBiale();
        if (i >= tresc.size() || (tresc[i] != '"' && tresc[i] != '\''))
            return odrzuc(bledna);
        const qsizetype koniec = tresc.indexOf(tresc[i], i + 1);
        if (koniec < 0)
            return odrzuc(bledna);
        const QByteArray wartosc = tresc.mid(i + 1, koniec - i - 1).toUpper();
        i = koniec + 1;
        if (nazwa.compare("encoding", Qt::CaseInsensitive) != 0)
            continue;
        // A declaration that names another encoding switches the parser to it
        // mid-stream, UTF-16 included.
        const bool przyjete = FTryb == trBajty ? kodowanieJednobajtowe(wartosc)
                                               : wartosc == "UTF-16" || wartosc == "UTF16"
                                                     || wartosc == (FTryb == trUtf16LE ? "UTF-16LE" : "UTF-16BE");
        if (!przyjete)
            return odrzuc(odmowaKodowania(wartosc));
        FUtf8 = FUtf8 && (wartosc == "UTF-8" || wartosc == "UTF8" || wartosc.contains("ASCII"));
    }
}

void TStraznikXML::krokZnacznikaStartu(char32_t p_Znak)
{
    if (p_Znak == '"' || p_Znak == '\'') {
        if (++FAtrybuty > MaksAtrybutow)
            return odrzuc(QStringLiteral("Element dokumentu XML ma więcej niż %1 atrybutów").arg(MaksAtrybutow));
        const bool deklaracja = (FDlugoscNazwy == 5 && std::memcmp(FNazwa.data(), "xmlns", 5) == 0)
                                || (FDlugoscNazwy > 5 && std::memcmp(FNazwa.data(), "xmlns:", 6) == 0);
        if (deklaracja && FWZasiegu + ++FPrzestrzenie > MaksPrzestrzeniWZasiegu)
            return odrzuc(QStringLiteral("Element dokumentu XML ma w zasięgu więcej niż %1 deklaracji przestrzeni nazw")
                              .arg(MaksPrzestrzeniWZasiegu));
        FCudzyslow = p_Znak;
        FStan = sWartosc;
        FWNazwie = false;
        FUkosnik = false;
        return;
    }
    if (p_Znak == '>') {
        if (FGlebokosc >= MaksGlebokosc)
            return odrzuc(QStringLiteral("Zagnieżdżenie elementów dokumentu XML przekracza %1 poziomów").arg(MaksGlebokosc));
        if (!FUkosnik) {
            FPrzestrzenieElementow[FGlebokosc++] = std::uint16_t(FPrzestrzenie);
            FWZasiegu += FPrzestrzenie;
        }
        FStan = sTekst;
        return;
    }
    FUkosnik = p_Znak == '/';
    if (jestBialy(p_Znak) || p_Znak == '=' || p_Znak == '/') {
        FWNazwie = false;
        return;
    }
    if (!FWNazwie) {
        FWNazwie = true;
        FDlugoscNazwy = 0;
    }
    if (FDlugoscNazwy < int(FNazwa.size()))
        FNazwa[FDlugoscNazwy] = ascii(p_Znak);
    if (FDlugoscNazwy <= int(FNazwa.size()))
        ++FDlugoscNazwy;
}

void TStraznikXML::odrzuc(const QString &p_Tekst)
{
    FPowod = p_Tekst + QStringLiteral(" (wiersz %1, kolumna %2)").arg(FWierszZnacznika).arg(FKolumnaZnacznika);
}
