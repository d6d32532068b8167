// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ScannerAccess.h"

#include "images/Picture.h"
#include "platform_ui/SaneFrames.h"

#include <QByteArray>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quillery {

namespace {

constexpr double scanResolution = 300;

ScannerChooser &chooser()
{
    static ScannerChooser current = chooseScannerInDialog;
    return current;
}

// The device chosen in this run, which later scans read from.
QString &selectedSource()
{
    static QString name;
    return name;
}

// SANE is initialised for the length of one call and released after it.
class SaneSession
{
public:
    SaneSession() : ok_(sane_init(nullptr, nullptr) == SANE_STATUS_GOOD) {}
    ~SaneSession()
    {
        if (ok_)
            sane_exit();
    }
    SaneSession(const SaneSession &) = delete;
    SaneSession &operator=(const SaneSession &) = delete;

    bool ok() const { return ok_; }

    QList<ScannerDevice> sources() const
    {
        QList<ScannerDevice> list;
        const SANE_Device **devices = nullptr;
        if (!ok_ || sane_get_devices(&devices, SANE_FALSE) != SANE_STATUS_GOOD)
            return list;
        for (const SANE_Device **d = devices; *d; ++d)
            list.append({QString::fromUtf8((*d)->name), QString::fromUtf8((*d)->vendor),
                         QString::fromUtf8((*d)->model), QString::fromUtf8((*d)->type)});
        return list;
    }

private:
    bool ok_;
};

class SaneDevice
{
public:
    explicit SaneDevice(const QString &name)
    {
        if (sane_open(name.toUtf8().constData(), &handle_) != SANE_STATUS_GOOD)
            handle_ = nullptr;
    }
    ~SaneDevice()
    {
        if (handle_)
            sane_close(handle_);
    }
    SaneDevice(const SaneDevice &) = delete;
    SaneDevice &operator=(const SaneDevice &) = delete;

    SANE_Handle handle() const { return handle_; }

    // The number of an option by name, or -1.
    int option(const char *name) const
    {
        for (int i = 1;; ++i) {
            const SANE_Option_Descriptor *d = sane_get_option_descriptor(handle_, i);
            if (!d)
                return -1;
            if (d->name && std::strcmp(d->name, name) == 0)
                return i;
        }
    }

    // Sets a string option to a value the device lists for it.
    void setString(const char *name, const char *value)
    {
        const int i = option(name);
        const SANE_Option_Descriptor *d = i < 0 ? nullptr : sane_get_option_descriptor(handle_, i);
        if (!d || d->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(d->cap) ||
            d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
            return;
        for (const SANE_String_Const *s = d->constraint.string_list; *s; ++s) {
            if (std::strcmp(*s, value) == 0) {
                QByteArray buffer(std::max<int>(d->size, int(std::strlen(value)) + 1), '\0');
                std::memcpy(buffer.data(), value, std::strlen(value));
                sane_control_option(handle_, i, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
                return;
            }
        }
    }

    // Sets a whole-number option to a value its word list allows.
    void setWord(const char *name, SANE_Word value)
    {
        const int i = option(name);
        const SANE_Option_Descriptor *d = i < 0 ? nullptr : sane_get_option_descriptor(handle_, i);
        if (!d || d->type != SANE_TYPE_INT || d->size != sizeof(SANE_Word) ||
            !SANE_OPTION_IS_SETTABLE(d->cap) || d->constraint_type != SANE_CONSTRAINT_WORD_LIST)
            return;
        const SANE_Word *list = d->constraint.word_list;
        for (int k = 1; k <= list[0]; ++k) {
            if (list[k] == value) {
                sane_control_option(handle_, i, SANE_ACTION_SET_VALUE, &value, nullptr);
                return;
            }
        }
    }

    // Asks for a resolution in dots per inch, or the nearest one the device
    // allows.
    void setResolution(double dpi)
    {
        const int i = option(SANE_NAME_SCAN_RESOLUTION);
        const SANE_Option_Descriptor *d = i < 0 ? nullptr : sane_get_option_descriptor(handle_, i);
        if (!d || d->size != sizeof(SANE_Word) || !SANE_OPTION_IS_SETTABLE(d->cap) ||
            (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED))
            return;
        const bool fixed = d->type == SANE_TYPE_FIXED;
        SANE_Word value = fixed ? SANE_FIX(dpi) : SANE_Word(std::lround(dpi));
        if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
            const SANE_Range *r = d->constraint.range;
            value = std::clamp(value, r->min, r->max);
            if (r->quant > 0)
                value = r->min + (value - r->min) / r->quant * r->quant;
        } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
            const SANE_Word *list = d->constraint.word_list;
            SANE_Word nearest = list[0] > 0 ? list[1] : value;
            for (int k = 1; k <= list[0]; ++k) {
                if (std::abs(std::int64_t(list[k]) - value) <
                    std::abs(std::int64_t(nearest) - value))
                    nearest = list[k];
            }
            value = nearest;
        }
        sane_control_option(handle_, i, SANE_ACTION_SET_VALUE, &value, nullptr);
    }

private:
    SANE_Handle handle_ = nullptr;
};

// Reads every frame of one scan; false when the device fails or cancels.
bool readScan(SANE_Handle handle, std::vector<SaneFrame> &frames)
{
    for (;;) {
        if (sane_start(handle) != SANE_STATUS_GOOD)
            return false;
        SaneFrame frame;
        if (sane_get_parameters(handle, &frame.parameters) != SANE_STATUS_GOOD)
            return false;
        // The device reads straight into the frame, in pieces of at most Piece bytes.
        constexpr SANE_Int Piece = 1 << 18;
        const qint64 expected =
            qint64(frame.parameters.bytes_per_line) * qint64(frame.parameters.lines);
        if (frame.parameters.lines > 0 && frame.parameters.bytes_per_line > 0 &&
            saneFrameHasRoom(0, expected))
            frame.data.reserve(expected);
        qsizetype held = 0;
        for (;;) {
            if (!saneFrameHasRoom(held, Piece))
                return false;
            frame.data.resize(held + Piece);
            SANE_Int length = 0;
            const SANE_Status status = sane_read(
                handle, reinterpret_cast<SANE_Byte *>(frame.data.data() + held), Piece, &length);
            if (status == SANE_STATUS_EOF)
                break;
            if (status != SANE_STATUS_GOOD || length < 0 || length > Piece)
                return false;
            held += length;
        }
        frame.data.resize(held);
        const bool last = frame.parameters.last_frame;
        frames.push_back(std::move(frame));
        if (last)
            return true;
        if (frames.size() >= MaxSaneFrames)
            return false;
    }
}

} // namespace

void setScannerChooser(ScannerChooser newChooser)
{
    chooser() = newChooser ? std::move(newChooser) : ScannerChooser(chooseScannerInDialog);
}

int chooseScanner(QWidget *window)
{
    QList<ScannerDevice> sources;
    {
        const SaneSession session;
        sources = session.sources();
    }
    if (sources.isEmpty())
        return 0;
    int current = -1;
    for (int i = 0; i < sources.size(); ++i) {
        if (sources[i].name == selectedSource())
            current = i;
    }
    const int picked = chooser()(window, sources, current);
    if (picked < 0 || picked >= sources.size())
        return 0;
    selectedSource() = sources[picked].name;
    return 1;
}

int acquirePicture(QWidget *, Picture &image)
{
    const SaneSession session;
    if (!session.ok())
        return -1;
    QString name = selectedSource();
    if (name.isEmpty()) {
        const QList<ScannerDevice> sources = session.sources();
        if (sources.isEmpty())
            return -1;
        name = sources.first().name;
    }

    SaneDevice device(name);
    if (!device.handle())
        return -1;
    // Without a source dialog the settings are ours: colour pages at the
    // usual document resolution; the device's other settings stay.
    device.setString(SANE_NAME_SCAN_MODE, SANE_VALUE_SCAN_MODE_COLOR);
    device.setWord(SANE_NAME_BIT_DEPTH, 8);
    device.setResolution(scanResolution);

    std::vector<SaneFrame> frames;
    const bool read = readScan(device.handle(), frames);
    sane_cancel(device.handle());
    if (!read)
        return -1;
    Picture scanned = imageFromSaneFrames(frames);
    if (scanned.isNull())
        return -1;
    image = std::move(scanned);
    return 0;
}

} // namespace quillery
