#pragma once

// The payload as the installer ships it: resource name and the file name it is written as.
struct CatalogueEntry {
  const char* resourceName;
  const char* fileName;
};

inline constexpr CatalogueEntry kCatalogue[] = {
    {"ADDITIONAL_PPRESETS.TXT", "Additional Ppresets.txt"},
    {"MORVELLANE3:D.8BF", "Morvellane3d.8bf"},
    {"ZENTROVE__DEMO.8BF", "ZentroveDemo.8bf"},
    {"VILO2000:DEFORMATIONS.REG", "Vilo2000deformations.reg"},
    {"VILO2000:DEMO.8BF", "Vilo2000demo.8bf"},
    {"VILO2000:PATTERNS.REG", "Vilo2000patterns.reg"},
    {"VILO3:D.8BF", "Vilo3d.8bf"},
    {"QUORVIN__TESSMARK.8BF", "QuorvinTessmark.8bf"},
    {"QUORVIN__K__VDEMO.8BF", "QuorvinKVdemo.8bf"},
    {"QUORVIN__K__VPRESETS_MISC.REG", "QuorvinKVpresets Misc.reg"},
    {"QUORVIN__K__VPRESETS_SURREAL.REG", "QuorvinKVpresets Surreal.reg"},
    {"QUILLANE__PLUGINS.HTM", "QuillanePlugins.htm"},
    {"WENDARO__FULGO__DEMO.8BF", "WendaroFulgoDemo.8bf"},
    {"TIRAVENT__BELLCOVE.8BF", "TiraventBellcove.8bf"},
    {"NIMBA__WENDARO.8BF", "NimbaWendaro.8bf"},
};
