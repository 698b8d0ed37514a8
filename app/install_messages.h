#pragma once

#include <string>
#include <vector>

// The texts the installer shows when something could not be done. Each names what failed
// and the system's reason.

struct FileProblem {
  std::string fileName;
  std::string reason;
};

// For a folder that can be neither entered nor created.
std::string FolderProblemText(const std::string& folder, const std::string& reason);

// For files that could not be written; every file is listed.
std::string FilesProblemText(const std::string& folder, const std::vector<FileProblem>& files);

// The reason text without the line break that the system's message texts end with.
std::string TrimReason(std::string reason);
