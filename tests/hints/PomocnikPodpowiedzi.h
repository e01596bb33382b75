#pragma once

#include "OknoPodpowiedzi.h"
#include "OknoPokazPodpowiedz.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

// Every test starts the hint unit afresh, on a clock it moves by hand, and
// ends it, closing whatever hints are left.
class PodpowiedziTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s_Teraz = 1000;
        UstawZegarPodpowiedzi([] { return s_Teraz; });
        InicjujOknoPokazPodpowiedz();
    }
    void TearDown() override
    {
        ZakonczOknoPokazPodpowiedz();
        UstawZegarPodpowiedzi(nullptr);
    }

    // Windows closed meanwhile are freed.
    static void Sprzatnij() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static TOknoPodpowiedzi *Ostatnie()
    {
        const auto okna = OknaPodpowiedzi();
        return okna.isEmpty() ? nullptr : okna.last();
    }

    // Ticks the window's timer after moving the clock.
    static void Tyknij(TOknoPodpowiedzi *p_Okno, uint32_t p_Ms)
    {
        s_Teraz += p_Ms;
        p_Okno->ZegarTimer();
    }

    static inline uint32_t s_Teraz = 0;
};
