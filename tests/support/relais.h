#pragma once

#include <QtGlobal>
#include <atomic>
#include <thread>

// A TCP relay on 127.0.0.1 between the program and the test server, to lose an answer on its way
// back: the network failing after the server did the work.
class Relais {
public:
    explicit Relais(quint16 portServeur);
    ~Relais();
    Relais(const Relais&) = delete;
    Relais& operator=(const Relais&) = delete;

    quint16 port() const { return m_port; }
    // The next COMMIT reaches the server, which commits it; then its connection is cut before the
    // answer comes back.
    void couperApresCommit() { m_couper = true; }

private:
    void relayer();

    quint16 m_portServeur;
    quint16 m_port = 0;
    int m_ecoute = -1;
    std::atomic<bool> m_couper{false};
    std::atomic<bool> m_fin{false};
    std::thread m_fil;
};
