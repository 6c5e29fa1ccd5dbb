#pragma once

#include <QIcon>

#include <vector>

namespace torvane {

// The row icons: image 0 is the default item icon, further images are file-type icons that the
// document asks for, one per extension, at the slot it names.
class CIconList {
public:
    CIconList();

    void Put(int slot, const QIcon& icon);
    // The icon of image index; an index without an image gives an empty icon.
    const QIcon& At(int index) const;

private:
    std::vector<QIcon> m_Icons;
};

// The 14 x 14 default item icon: a note.
QIcon DefaultItemIcon();

} // namespace torvane
