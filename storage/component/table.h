#pragma once
// The window's table component: a named component of the form that owns one table of the engine,
// all of them bound to one engine-wide session (so a password registered once opens every table).
#include <QString>

#include "platform/gui/component.h"
#include "platform/tables/session.h"
#include "platform/tables/table.h"

class TTable : public TComponent {
public:
    explicit TTable(TComponent *owner);
    ~TTable() override;

    // The session every table component works in.
    static tables::TSession &Session();

    QString TableName() const { return QString::fromStdString(table_.TableName()); }
    void SetTableName(const QString &name) { table_.SetTableName(name.toStdString()); }

    bool Active() const { return table_.Active(); }
    void SetActive(bool active) { table_.SetActive(active); }
    void Open() { table_.Open(); }
    void Close() { table_.Close(); }

    void First() { table_.First(); }
    void Next() { table_.Next(); }
    void Last() { table_.Last(); }
    bool Eof() const { return table_.Eof(); }
    int RecNo() const { return table_.RecNo(); }
    void SetRecNo(int recNo) { table_.SetRecNo(recNo); }
    int RecordCount() { return table_.RecordCount(); }

    void Append() { table_.Append(); }
    void Edit() { table_.Edit(); }
    void Post() { table_.Post(); }
    void Cancel() { table_.Cancel(); }

    // Fields by number: AsString/AsInteger/AsBoolean and their setters.
    tables::TFields &Fields() { return table_.Fields; }
    // Field text as the window shows it (the engine keeps UTF-8).
    QString FieldText(int index) const { return QString::fromStdString(table_.Fields[index].AsString()); }
    void SetFieldText(int index, const QString &text) {
        table_.Fields[index].SetAsString(text.toStdString());
    }

    // The engine's table, for its structure and transactions.
    tables::TTable &Table() { return table_; }

private:
    tables::TTable table_;
};
