#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

// Walks a list of owned records and hands out the records themselves rather than their owners.
template <typename Element> class IterateurPossede {
    using Base = typename std::vector<std::unique_ptr<std::remove_const_t<Element>>>::const_iterator;

public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::remove_const_t<Element>;
    using difference_type = std::ptrdiff_t;
    using pointer = Element*;
    using reference = Element&;

    explicit IterateurPossede(Base it) : m_it(it) {}
    reference operator*() const { return **m_it; }
    pointer operator->() const { return m_it->get(); }
    IterateurPossede& operator++() {
        ++m_it;
        return *this;
    }
    IterateurPossede operator++(int) {
        IterateurPossede avant = *this;
        ++m_it;
        return avant;
    }
    bool operator==(const IterateurPossede& autre) const { return m_it == autre.m_it; }
    bool operator!=(const IterateurPossede& autre) const { return m_it != autre.m_it; }

private:
    Base m_it;
};
