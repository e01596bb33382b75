#include "KodowanieUTF7.h"

namespace {

const char ZnakiBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool JestBezposredni(char16_t p_Znak)
{
    if ((p_Znak >= u'A' && p_Znak <= u'Z') || (p_Znak >= u'a' && p_Znak <= u'z') || (p_Znak >= u'0' && p_Znak <= u'9'))
        return true;
    switch (p_Znak) {
    case u'\'': case u'(': case u')': case u',': case u'-': case u'.': case u'/': case u':': case u'?':
    case u' ': case u'\t': case u'\r': case u'\n':
        return true;
    default:
        return false;
    }
}

int WartoscBase64(char p_Znak)
{
    if (p_Znak >= 'A' && p_Znak <= 'Z')
        return p_Znak - 'A';
    if (p_Znak >= 'a' && p_Znak <= 'z')
        return p_Znak - 'a' + 26;
    if (p_Znak >= '0' && p_Znak <= '9')
        return p_Znak - '0' + 52;
    if (p_Znak == '+')
        return 62;
    if (p_Znak == '/')
        return 63;
    return -1;
}

} // namespace

QByteArray TekstNaUTF7(const QString &p_Tekst)
{
    QByteArray wynik;
    wynik.reserve(p_Tekst.size());
    qsizetype i = 0;
    while (i < p_Tekst.size()) {
        const char16_t znak = p_Tekst[i].unicode();
        if (JestBezposredni(znak)) {
            wynik.append(char(znak));
            ++i;
            continue;
        }
        if (znak == u'+') {
            wynik.append("+-");
            ++i;
            continue;
        }
        // one base64 run over all the characters up to the next direct one
        wynik.append('+');
        uint32_t bity = 0;
        int ileBitow = 0;
        for (; i < p_Tekst.size() && !JestBezposredni(p_Tekst[i].unicode()) && p_Tekst[i] != u'+'; ++i) {
            bity = (bity << 16) | p_Tekst[i].unicode();
            ileBitow += 16;
            while (ileBitow >= 6) {
                ileBitow -= 6;
                wynik.append(ZnakiBase64[(bity >> ileBitow) & 0x3F]);
            }
        }
        if (ileBitow > 0)
            wynik.append(ZnakiBase64[(bity << (6 - ileBitow)) & 0x3F]);
        wynik.append('-');
    }
    return wynik;
}

QString TekstZUTF7(const QByteArray &p_Bajty)
{
    QString wynik;
    wynik.reserve(p_Bajty.size());
    qsizetype i = 0;
    while (i < p_Bajty.size()) {
        const char bajt = p_Bajty[i++];
        if (uint8_t(bajt) > 0x7F) {
            wynik.append(QChar(QChar::ReplacementCharacter));
            continue;
        }
        if (bajt != '+') {
            wynik.append(QChar(char16_t(uint8_t(bajt))));
            continue;
        }
        if (i < p_Bajty.size() && p_Bajty[i] == '-') {
            wynik.append(u'+');
            ++i;
            continue;
        }
        uint32_t bity = 0;
        int ileBitow = 0;
        for (; i < p_Bajty.size(); ++i) {
            const int wartosc = WartoscBase64(p_Bajty[i]);
            if (wartosc < 0)
                break;
            bity = (bity << 6) | uint32_t(wartosc);
            ileBitow += 6;
            if (ileBitow >= 16) {
                ileBitow -= 16;
                wynik.append(QChar(char16_t((bity >> ileBitow) & 0xFFFF)));
            }
        }
        if (i < p_Bajty.size() && p_Bajty[i] == '-')
            ++i; // the run's terminator is absorbed
    }
    return wynik;
}
