#pragma once
// The root of the framework's object tree: TComponent owns the components created with it as
// owner and destroys them with itself; each may carry a Name (the form resource's names).
#include <QString>
#include <functional>
#include <vector>

class TObject {
public:
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject() = default;
};

// The event of a click, a change or a tick; Sender is the object the event comes from.
using TNotifyEvent = std::function<void(TObject *Sender)>;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent *owner);
    // Destroys the owned components, the last created first.
    ~TComponent() override;

    TComponent *Owner() const { return owner_; }
    const QString &Name() const { return name_; }
    void SetName(const QString &name) { name_ = name; }

    int ComponentCount() const { return static_cast<int>(owned_.size()); }
    TComponent *Components(int index) const { return owned_.at(index); }
    TComponent *FindComponent(const QString &name) const;

    // While a form resource sets the properties, the component is loading: sizes that follow
    // other properties are worked out once, when loading ends.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    void EndLoading();

protected:
    // Runs when loading ends.
    virtual void Loaded() {}

private:
    TComponent *owner_;
    QString name_;
    std::vector<TComponent *> owned_;
    bool loading_ = false;
};
