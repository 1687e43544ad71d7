#include "app/component_names.h"

#include <QRegularExpression>

ComponentNames::ComponentNames(const TComponent &owner) {
    byName_.reserve(owner.ComponentCount());
    for (int i = 0; i < owner.ComponentCount(); ++i)
        byName_.insert(owner.Components(i)->Name(), owner.Components(i));
}

TComponent *ComponentNames::Find(const QString &name) const {
    TComponent *component = byName_.value(name);
    if (component == nullptr) throw std::logic_error("no component named " + name.toStdString());
    return component;
}

std::vector<TComponent *> ComponentNames::Expand(std::initializer_list<const char *> items) const {
    static const QRegularExpression run(R"(^([A-Za-z]+)(\d+)\.\.([A-Za-z]+)(\d+)$)");
    std::vector<TComponent *> found;
    for (const char *item : items) {
        const QString text = QString::fromLatin1(item);
        const QRegularExpressionMatch m = run.match(text);
        if (!m.hasMatch()) {
            found.push_back(Find(text));
            continue;
        }
        if (m.captured(1) != m.captured(3))
            throw std::logic_error("a run mixes classes: " + text.toStdString());
        const int first = m.captured(2).toInt(), last = m.captured(4).toInt();
        const int step = last >= first ? 1 : -1;
        for (int n = first;; n += step) {
            found.push_back(Find(m.captured(1) + QString::number(n)));
            if (n == last) break;
        }
    }
    return found;
}
