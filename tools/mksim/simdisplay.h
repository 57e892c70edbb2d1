#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// A controller's menu on its 4 x 20 remote display: pages the host steps through with the
// previous/next keys of the 'h' request; the two item keys change the value of the page shown,
// when it has one.
class SimDisplay
{
public:
    struct Page
    {
        // The four lines of the page (shorter lines are padded); the value is the one the item
        // keys change on this page.
        std::function<QStringList(int value)> render;
        int value = 0;
        int step = 0; // 0: the item keys do nothing here
        int low = 0;
        int high = 0;
    };

    void addPage(Page page) { pages_ << std::move(page); }
    int page() const { return current_; }
    int pageCount() const { return int(pages_.size()); }
    int value(int page) const { return page < pages_.size() ? pages_[page].value : 0; }

    // Applies the keys byte of an 'h' request (0xFF minus the pressed keys).
    void press(quint8 keysByte);
    // The current page as the 80 characters of an 'H' answer.
    QByteArray screen() const;
    // The old one-line format: the current page's first line alone.
    QByteArray oneLine() const;

private:
    QList<Page> pages_;
    int current_ = 0;
};
