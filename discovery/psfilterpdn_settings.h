#pragma once

#include <stddef.h>

#include "discovery/host_settings_text.h"

// The folders that Paint.NET's host for Photoshop-compatible filters, PSFilterPdn, searches
// besides Paint.NET's Effects folder: its settings file PSFilterPdn.xml, of which only this
// subset of XML is read. Elements are matched by their local name (a prefix such as "d2p1:"
// is passed over); the five XML entities and numeric character references are decoded; the
// text is UTF-8, maybe after a byte-order mark.
//
// - Today's file: root PSFilterPdnSettings, its SearchDirectories holding one element "string"
//   per folder, and SearchSubdirectories (true or false).
// - The older file: root "settings", its searchDirs holding the folders separated by commas
//   (a piece that is not a rooted path belongs to the folder before it, whose name held a
//   comma), and searchSubDirs.
//
// Each folder goes to visit, in file order, with whether its sub-folders are searched (so
// when the flag is missing). A folder that is not UTF-8, holds a bad reference or a control
// character, or does not fit a path buffer is passed over. Reading stops where the text stops
// being this subset of XML; what was found before stays found.
void ReadPsFilterPdnSettings(const char* data, size_t size, HostFolderVisit visit, void* context);
