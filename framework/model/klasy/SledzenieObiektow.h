#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class TObiektBazowy;

// Watches every persistent object come and go (a diagnostic switched on by
// the parameter file). Called from any thread, from inside the constructor and
// the destructor of TObiektBazowy: only the address is safe to keep there.
class TLkOKChecker
{
public:
    virtual ~TLkOKChecker() = default;
    virtual int64_t ZajmowanaPamiec() const = 0;
    virtual void UtworzonoObiekt(const TObiektBazowy *p_Obiekt) = 0;
    virtual void ZwolnionoObiekt(const TObiektBazowy *p_Obiekt) = 0;
};

// Keeps the live objects; at its end reports those never freed to a file
// beside the program and tells the user where it went.
class TLkOKMemTracer : public TLkOKChecker
{
public:
    explicit TLkOKMemTracer(const QString &p_SciezkaProgramu);
    // Writes the report when objects are still alive or errors were recorded, unless PominRaport.
    ~TLkOKMemTracer() override;
    TLkOKMemTracer(const TLkOKMemTracer &) = delete;
    TLkOKMemTracer &operator=(const TLkOKMemTracer &) = delete;

    int64_t ZajmowanaPamiec() const override;
    // A second entry of one address is recorded as "Obiekt %s już istnieje".
    void UtworzonoObiekt(const TObiektBazowy *p_Obiekt) override;
    // An unknown address is recorded as "Obiekt %s nie istnieje".
    void ZwolnionoObiekt(const TObiektBazowy *p_Obiekt) override;

    int IleObiektow() const;
    // The highest number of live objects seen.
    int MaxIleOb() const;
    QStringList Bledy() const;
    // "<program path without extension>TraceMem.txt".
    QString NazwaRaportu() const;
    // The report's text; empty when nothing is left alive and nothing went wrong.
    QString TrescRaportu() const;

    bool PominRaport = false;

private:
    // The report of the live objects: their roots by class, then each object.
    QString OpiszZywe(const std::vector<const TObiektBazowy *> &p_Obiekty, int p_MaxIleOb,
                      const QStringList &p_Bledy) const;

    QString FSciezkaProgramu;
    mutable std::mutex FSekcjaKryt;
    // Sorted by address.
    std::vector<const TObiektBazowy *> FObiekty;
    QStringList FBledy;
    int FMaxIleOb = 0;
};

// The active checker; null when objects are not watched.
TLkOKChecker *AktywneSledzenieObiektow();
// Installs a checker (before objects are made) and frees the previous one.
void UstawSledzenieObiektow(std::unique_ptr<TLkOKChecker> p_Sledzenie);

// The switch: key SledzeniePamieci in [Params] of the parameter file the
// runtime loaded at start-up ("-(IniFile)<path>", else beside the program);
// a missing file or a value that is no Boolean leaves it off.
bool SledzeniePamieciWlaczone();
// Start-up: installs a TLkOKMemTracer (reporting beside p_SciezkaProgramu) when the switch is on.
void UruchomSledzeniePamieci(const QString &p_SciezkaProgramu);
// Shutdown: the checker stops watching and is freed (a tracer reports here).
void ZakonczSledzeniePamieci();
