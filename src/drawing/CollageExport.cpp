#include "drawing/CollageExport.h"

#include "drawing/PaintDeviceLoader.h"
#include "support/PaperSizes.h"
#include "support/SafeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace collageexport {

namespace {

// CSS pixels are 1/96 inch; every device draws in them.
constexpr int kCssDpi = 96;

QString Name(const std::string& path) { return QString::fromStdString(path); }

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

QPageSize::PageSizeId QtPageSize(Paper paper) {
    switch (paper) {
        case Paper::kA4: return QPageSize::A4;
        case Paper::kA3: return QPageSize::A3;
        case Paper::kLetter: break;
    }
    return QPageSize::Letter;
}

QPageSize PageSizeFor(const std::string& paper) {
    if (const std::optional<Paper> named = PaperNamed(paper)) return QPageSize(QtPageSize(*named));
    const QRectF bounds = CollageDrawing::Bounds();
    return QPageSize(QSizeF(bounds.width() * 72 / kCssDpi, bounds.height() * 72 / kCssDpi), QPageSize::Point,
                     QStringLiteral("Collage"), QPageSize::ExactMatch);
}

bool PaintPng(CollageDrawing& drawing, QIODevice& file, const Options& options) {
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = options.scale > 0 ? options.scale : 1;
    QImage image(qRound(bounds.width() * scale), qRound(bounds.height() * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kCssDpi * scale / 0.0254));
    image.setDotsPerMeterY(qRound(kCssDpi * scale / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        drawing.Paint(painter);
    }
    return image.save(&file, "PNG");
}

bool PaintPdf(CollageDrawing& drawing, QIODevice& file, const Options& options) {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("tarvex4"));
    writer.setTitle(QStringLiteral("Collage"));
    writer.setResolution(kCssDpi);
    writer.setPageSize(PageSizeFor(options.paper));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    // Fitted and centred on a paper size; the container's own size fits exactly.
    const QRectF page = writer.pageLayout().fullRectPixels(kCssDpi);
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = std::min(page.width() / bounds.width(), page.height() / bounds.height());
    painter.translate((page.width() - bounds.width() * scale) / 2, (page.height() - bounds.height() * scale) / 2);
    painter.scale(scale, scale);
    drawing.Paint(painter);
    return painter.end();
}

bool PaintSvg(CollageDrawing& drawing, QIODevice& file, std::string& why) {
    const QRectF bounds = CollageDrawing::Bounds();
    const std::unique_ptr<QPaintDevice> generator =
        NewSvgWriter(file, bounds, kCssDpi, QStringLiteral("Collage"), why);
    if (!generator) return false;
    QPainter painter;
    if (!painter.begin(generator.get())) return false;
    drawing.Paint(painter);
    return painter.end();
}


// Far beyond any page GO writes; what is longer is not read at all.
constexpr off_t kMaxPageBytes = 64 * 1024 * 1024;

std::string Reason(int code) { return std::strerror(code); }

// The descriptor a name of the process's own open files stands for
// (/dev/stdout, /dev/fd/3, /proc/self/fd/3), or -1.
int StreamDescriptor(const std::string& path) {
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(prefix) || path.size() == prefix.size() || path.size() > prefix.size() + 9) continue;
        const std::string number = path.substr(prefix.size());
        if (number.find_first_not_of("0123456789") == std::string::npos) return std::stoi(number);
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A device, a pipe or an open stream of the caller takes the bytes where it
// is: renaming a file over it would replace the device for everybody.
bool WriteInPlace(const std::string& path, int stream, std::string_view bytes, std::string& problem) {
    const int fd = stream >= 0 ? ::dup(stream) : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    bool ok = fd >= 0 && WriteAll(fd, bytes);
    int code = errno;
    if (fd >= 0 && ::close(fd) != 0 && ok && errno != EINTR) {
        ok = false;
        code = errno;
    }
    if (!ok) problem = "Cannot write the file " + path + ": " + Reason(code);
    return ok;
}

// A regular file (or a new one) is replaced whole, or left as it was.
bool WriteOutput(const std::string& path, std::string_view bytes, std::string& problem) {
    const int stream = StreamDescriptor(path);
    struct stat info {};
    const bool special = stream >= 0 || (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) &&
                                         !S_ISDIR(info.st_mode));
    if (special) return WriteInPlace(path, stream, bytes, problem);
    return WriteFileReplacing(path, bytes, problem);
}

// Which file a name stands for: its device and inode, or where it would be
// when there is none yet.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string where;

    bool Same(const FileIdentity& other) const {
        if (exists != other.exists) return false;
        return exists ? device == other.device && inode == other.inode : where == other.where;
    }
};

FileIdentity IdentityOf(const std::string& path) {
    FileIdentity identity;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        identity.exists = true;
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
        return identity;
    }
    std::error_code error;
    identity.where = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error).string();
    if (error) identity.where = path;
    return identity;
}

// The page's bytes, from a regular file only: a pipe or a device could keep
// the reader waiting or feed it without end.
bool ReadPageFile(const std::string& path, std::string& bytes, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = Reason(errno);
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok) why = Reason(errno);
    else if (S_ISDIR(info.st_mode)) why = "it is a folder";
    else if (!S_ISREG(info.st_mode)) why = "it is not a regular file (a device or a pipe)";
    else if (info.st_size > kMaxPageBytes) why = "it is larger than any collage page";
    ok = why.empty();
    char buffer[65536];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got < 0) why = Reason(errno);
            ok = got == 0;
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
        // Checked while reading: the file may grow.
        if (bytes.size() > static_cast<size_t>(kMaxPageBytes)) why = "it is larger than any collage page";
        ok = why.empty();
    }
    ::close(fd);
    return ok;
}

}  // namespace

std::optional<Format> FormatOf(const std::string& path) {
    const std::string suffix = Lower(QFileInfo(Name(path)).suffix().toStdString());
    if (suffix == "png") return Format::kPng;
    if (suffix == "pdf") return Format::kPdf;
    if (suffix == "svg") return Format::kSvg;
    return std::nullopt;
}

bool Export(CollageDrawing& drawing, const std::string& path, Format format, const Options& options,
            std::string& problem) {
    // Drawn in memory (a page is a few megabytes at most), then written in
    // one go: the drawing writers do not report a failed write themselves.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    std::string why;  // a reason of the painter's own
    switch (format) {
        case Format::kPng: painted = PaintPng(drawing, buffer, options); break;
        case Format::kPdf: painted = PaintPdf(drawing, buffer, options); break;
        case Format::kSvg: painted = PaintSvg(drawing, buffer, why); break;
    }
    if (!painted) {
        problem = "Cannot write the file " + path + ": " + (why.empty() ? "the collage could not be drawn" : why);
        return false;
    }
    return WriteOutput(path, std::string_view(buffer.data().constData(), static_cast<size_t>(buffer.data().size())),
                       problem);
}

std::string InputConflict(const std::string& output, const std::string& pagePath, const collage::Collage& collage,
                          const std::string& pageFolder) {
    const FileIdentity target = IdentityOf(output);
    if (target.Same(IdentityOf(pagePath))) {
        return "Will not write " + output + ": it is the page " + pagePath + " being drawn; name another file.";
    }
    const std::string folder = pageFolder.empty() || pageFolder.back() == '/' ? pageFolder : pageFolder + "/";
    for (const collage::Item& item : collage.items) {
        std::vector<std::string> files = item.Letters();
        if (item.kind == collage::ItemKind::kPicture) files.push_back(item.file);
        for (const std::string& file : files) {
            if (!file.empty() && target.Same(IdentityOf(folder + file))) {
                return "Will not write " + output + ": it is " + folder + file + ", a picture the page " +
                       pagePath + " shows; name another file.";
            }
        }
    }
    return {};
}

bool LoadPage(const std::string& pagePath, collage::Collage& collage, std::string& problem) {
    std::string bytes;
    std::string why;
    if (!ReadPageFile(pagePath, bytes, why)) {
        problem = "Cannot read the page " + pagePath + ": " + why;
        return false;
    }
    if (!collage::ReadPage(bytes, collage, why)) {
        problem = "The page " + pagePath + " is not a collage page that tarvex4 wrote: " + why + ".";
        return false;
    }
    return true;
}

}  // namespace collageexport
