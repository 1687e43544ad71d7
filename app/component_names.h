#pragma once
// Looks up the window's components by name to fill its control tables. A list item is one name
// ("Panel298") or a numbered run in either direction ("Panel212..Panel201"). A missing name, a
// component of another class or a list of the wrong length is a fault of the form resource and
// raises std::logic_error.
#include <QHash>
#include <QString>
#include <array>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "platform/gui/component.h"

class ComponentNames {
public:
    explicit ComponentNames(const TComponent &owner);

    // The named components of the list items, in order.
    std::vector<TComponent *> Expand(std::initializer_list<const char *> items) const;

    template <class T, size_t N>
    void Fill(std::array<T *, N> &table, std::initializer_list<const char *> items) const {
        const std::vector<TComponent *> found = Expand(items);
        if (found.size() != N)
            throw std::logic_error("a control table of " + std::to_string(N) + " elements got " +
                                   std::to_string(found.size()));
        for (size_t i = 0; i < N; ++i) {
            table[i] = dynamic_cast<T *>(found[i]);
            if (table[i] == nullptr)
                throw std::logic_error(found[i]->Name().toStdString() + " is not of the table's class");
        }
    }

private:
    TComponent *Find(const QString &name) const;

    QHash<QString, TComponent *> byName_;
};
