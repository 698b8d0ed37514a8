#pragma once

// The hosts of today that load these 32-bit filters, probed after the editors of old, in this
// order: Paint.NET's Effects folder, classic and Store app, where PSFilterPdn is installed;
// the folders PSFilterPdn's settings name; the folders of GIMP's pspi-path; PhotoDemon's
// 8bfPlugins folder. The user's folders are those of the user the process runs as.
void FilterHostProbes();
