#include "LkKontrolkaEdycjiEdit.h"

#include "LkEdit.h"

TLkKontrolkaEdycjiEdit::TLkKontrolkaEdycjiEdit(TLkEdit *p_Edit) : TLkKontrolkaEdycji(p_Edit)
{
    FZmianaTekstu = QObject::connect(p_Edit, &QLineEdit::textChanged, p_Edit, [this] { ZmienionoDane(); });
}

TLkKontrolkaEdycjiEdit::~TLkKontrolkaEdycjiEdit()
{
    QObject::disconnect(FZmianaTekstu);
}

Variant TLkKontrolkaEdycjiEdit::DajWartoscKontrolki() const
{
    const QString tekst = LkKontrolka()->text();
    return tekst.isEmpty() ? Variant::Null() : Variant::ZString(tekst);
}

void TLkKontrolkaEdycjiEdit::UstawWartoscKontrolki(const Variant &p_Wartosc)
{
    LkKontrolka()->setText(p_Wartosc.JestNull() || p_Wartosc.JestPusty() ? QString() : p_Wartosc.JakoString());
}

void TLkKontrolkaEdycjiEdit::UstawTylkoDoOdczytu(bool p_Tylko)
{
    // Preview shows the text green, editing blue, as the forms' modes do.
    LkKontrolka()->setReadOnly(p_Tylko);
    LkKontrolka()->UstawKolorCzcionki(p_Tylko ? QColor(0x00, 0x80, 0x00) : QColor(0x00, 0x00, 0xFF));
}
