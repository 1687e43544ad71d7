#pragma once
// The file layer under every table connection: the library's own one, except for when the folder
// of a new journal is synced.
//
// The library syncs the folder at the first sync of every journal and super-journal it creates,
// so that the new file is still found after a power loss. A commit across ten tables creates ten
// journals and a super-journal in one folder and so synced the folder eleven times, although the
// first of those syncs already makes every entry created before it durable. Here the layer keeps,
// per folder, how many entries it created or removed and how many a folder sync has covered, and
// the first sync of a journal syncs the folder only while some entry is not yet covered. The
// order stays the library's: a journal's entry is durable before its sync returns, so before any
// page of its database is overwritten. Removing a super-journal (the commit point of a
// multi-table commit) still syncs the folder every time. Files the layer creates are made 0600.
namespace tables {

// The name to open table connections with; the layer is registered on the first call.
const char *FolderSyncVfsName();

}  // namespace tables
