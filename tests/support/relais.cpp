#include "support/relais.h"

#include <QByteArray>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

sockaddr_in local(quint16 port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool toutEcrire(int fd, const char* octets, ssize_t n) {
    while (n > 0) {
        const ssize_t e = ::send(fd, octets, size_t(n), MSG_NOSIGNAL);
        if (e <= 0)
            return false;
        octets += e;
        n -= e;
    }
    return true;
}

} // namespace

Relais::Relais(quint16 portServeur) : m_portServeur(portServeur) {
    m_ecoute = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = local(0);
    socklen_t taille = sizeof a;
    if (m_ecoute < 0 || ::bind(m_ecoute, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(m_ecoute, 8) != 0 || ::getsockname(m_ecoute, reinterpret_cast<sockaddr*>(&a), &taille) != 0)
        throw std::runtime_error("relais : écoute impossible");
    m_port = ntohs(a.sin_port);
    m_fil = std::thread([this] { relayer(); });
}

Relais::~Relais() {
    m_fin = true;
    m_fil.join();
    ::close(m_ecoute);
}

// Each connection accepted is paired with one to the server; bytes go both ways until either closes.
void Relais::relayer() {
    struct Paire {
        int client;
        int serveur;
    };
    std::vector<Paire> paires;
    const auto fermer = [&](size_t i) {
        ::close(paires[i].client);
        ::close(paires[i].serveur);
        paires.erase(paires.begin() + long(i));
    };
    while (!m_fin) {
        std::vector<pollfd> attente{{m_ecoute, POLLIN, 0}};
        for (const Paire& p : paires) {
            attente.push_back({p.client, POLLIN, 0});
            attente.push_back({p.serveur, POLLIN, 0});
        }
        if (::poll(attente.data(), attente.size(), 50) <= 0)
            continue;
        const size_t suivies = paires.size();
        if (attente[0].revents & POLLIN) {
            const int client = ::accept(m_ecoute, nullptr, nullptr);
            const int serveur = ::socket(AF_INET, SOCK_STREAM, 0);
            const sockaddr_in a = local(m_portServeur);
            if (::connect(serveur, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) {
                paires.push_back({client, serveur});
            } else {
                ::close(client);
                ::close(serveur);
            }
        }
        for (size_t i = suivies; i-- > 0;) {
            const pollfd& c = attente[1 + 2 * i];
            const pollfd& s = attente[2 + 2 * i];
            char octets[65536];
            bool ouverte = true;
            if (c.revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = ::read(paires[i].client, octets, sizeof octets);
                ouverte = n > 0 && toutEcrire(paires[i].serveur, octets, n);
                if (ouverte && m_couper && QByteArray::fromRawData(octets, int(n)).contains("COMMIT")) {
                    // Time for the server to commit; its answer is never read.
                    QThread::msleep(500);
                    m_couper = false;
                    ouverte = false;
                }
            }
            if (ouverte && (s.revents & (POLLIN | POLLHUP | POLLERR))) {
                const ssize_t n = ::read(paires[i].serveur, octets, sizeof octets);
                ouverte = n > 0 && toutEcrire(paires[i].client, octets, n);
            }
            if (!ouverte)
                fermer(i);
        }
    }
    for (size_t i = paires.size(); i-- > 0;)
        fermer(i);
}
