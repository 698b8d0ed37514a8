#pragma once

// The filters of the pack, one check box each on the selection screen.

struct FilterBox {
  const char* label;
  const char* statusText;
  const char* key;  // occurs in the file names of the filter's payload
};

// Top to bottom.
constexpr FilterBox kFilterBoxes[] = {
    {"Nimba Wendaro", "Select to install Nimba Wendaro filter", "Nimba"},
    {"Wendaro Fulgo demo", "Select to install Wendaro Fulgo filter", "Fulgo"},
    {"Vilo 3d", "Select to install Vilo 3d filter", "Vilo3"},
    {"Vilo 2000 demo", "Select to install Vilo 2000 filter", "Vilo2000"},
    {"Quorvin Tessmark", "Select to install Quorvin Tessmark filter", "QuorvinTessmark"},
    {"Quorvin KV demo", "Select to install Quorvin KV filter", "QuorvinKV"},
    {"Tiravent Bellcove", "Select to install Tiravent Bellcove filter", "Tiravent"},
    // The module is written as "Morvellane3d.8bf": the key is its stem up to the digit.
    {"Morvellane 3D", "Select to install Morvellane 3D filter", "Morvellane3"},
    {"Zentrove demo", "Select to install Zentrove filter", "Zentrove"},
};
constexpr int kFilterBoxCount = sizeof kFilterBoxes / sizeof kFilterBoxes[0];
