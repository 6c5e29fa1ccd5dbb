#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace torvane {

// The freedesktop trash, done on a path's bytes: a file on the device of the user's home trash
// ($XDG_DATA_HOME/Trash) goes there; a file elsewhere goes to its volume's trash
// ($topdir/.Trash/$uid when the administrator made a sticky .Trash folder, else
// $topdir/.Trash-$uid). The file is renamed into files/NAME after info/NAME.trashinfo was
// made, never copied.

// Where a trash is and what its .trashinfo Path= values are relative to: Top is empty for the
// home trash (absolute paths), else the volume's top folder.
struct TrashPlace {
    std::string Folder;
    std::string Top;
};

// The device a path lies on (lstat), or nothing when it cannot be told.
using DeviceOf = std::function<std::optional<dev_t>(const std::string& path)>;
std::optional<dev_t> DeviceOfPath(const std::string& path);

// The top folder of the volume that holds the absolute folder: the highest folder above it,
// itself included, on the same device ("/" when no boundary is met).
std::string TopFolderOf(const std::string& folder, const DeviceOf& deviceOf);

// The content of a .trashinfo: the header, the path percent-encoded and the local time.
std::string TrashInfoText(std::string_view path, std::time_t deleted);

// The name a file takes in the trash on the given try: the name itself first, then with
// ".2", ".3" ... before its extension.
std::string TrashNameCandidate(std::string_view name, int attempt);

// The trash of the volume whose top folder is top: top/.Trash/$uid when top/.Trash is a real,
// sticky folder (not a link) and our folder in it can be made, else top/.Trash-$uid.
TrashPlace VolumeTrashAt(const std::string& top);

// Moves the file (absolute, or relative to the current folder) into the given trash, making its
// files/ and info/ folders; on failure the file stays where it was and error says why.
bool MoveIntoTrash(const std::string& path, const TrashPlace& trash, std::string& error);

// Chooses the trash for the file as described above and moves it there. The home trash comes
// from XDG_DATA_HOME (HOME/.local/share when unset), which must be absolute. deviceOf tells
// the devices of folders (tests give their own).
bool MoveToTrash(const std::string& path, std::string& error,
                 const DeviceOf& deviceOf = DeviceOfPath);

} // namespace torvane
