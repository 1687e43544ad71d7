#include "storage/component/table.h"

TTable::TTable(TComponent *owner) : TComponent(owner), table_(Session()) {}

TTable::~TTable() = default;

tables::TSession &TTable::Session() {
    // Outlives every table component: a table closes its file through its session.
    static tables::TSession *const session = new tables::TSession;
    return *session;
}
