#pragma once
// The program's name and version, shown in the window caption and written into saved jobs.
inline constexpr char kProductName[] = "Kestrium";
inline constexpr char kProductVersion[] = "v1.04.02";
