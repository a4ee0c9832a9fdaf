#include "ui/style/ui_style.h"

#include "base/strings.h"
#include "data/text_file.h"
#include "imaging/image_decoder.h"
#include "ui/draw/pixel_ops.h"
#include "ui/style/resource_source.h"
#include "ui/style/style_values.h"

#include <span>

namespace scalora {

namespace {

// Style text files are UTF-8; a UTF-16 file announces itself with its byte-order mark.
std::string decodeStyleText(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        return decodeText(bytes, TextEncoding::Utf16);
    }
    return decodeText(bytes, TextEncoding::Utf8);
}

// "a,b,c" into three integers; false for any other number of values.
bool parseTriple(std::string_view text, std::array<std::int32_t, 3>& out) {
    const std::vector<std::string> f = split(text, ",");
    if (f.size() != 3) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        out[i] = parseLeadingInt(f[i]);
    }
    return true;
}

} // namespace

bool decodeStyleImage(std::string_view bytes, PixelImage& out, StyleImageAlpha alpha) {
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    if (!decodeImageData(data, DecodeOptions{}, out) || out.isNull()) {
        out.reset();
        return false;
    }
    if (alpha == StyleImageAlpha::Premultiplied) {
        premultiplyImage(out);
    }
    return true;
}

bool UIStyle::readXml(const ResourceSource& source, std::string_view file,
                      std::string_view rootName, XmlDocument& doc) {
    std::string bytes;
    if (!source.read("xml", file, bytes) || bytes.empty()) {
        error_ = "xml/" + std::string(file) + " is missing or empty";
        return false;
    }
    if (!doc.loadFromString(decodeStyleText(bytes)) || doc.root().findChild(rootName) == nullptr) {
        error_ =
            "xml/" + std::string(file) + " is not a valid " + std::string(rootName) + " document";
        return false;
    }
    return true;
}

void UIStyle::readStandardImages(const ResourceSource& source) {
    for (const StandardImage id : allStandardImages()) {
        std::string bytes;
        auto image = std::make_shared<PixelImage>();
        if (source.read("images", standardImageFile(id), bytes) &&
            decodeStyleImage(bytes, *image)) {
            standardImages_.emplace(id, std::move(image));
        }
    }
}

bool UIStyle::readSkins(const ResourceSource& source) {
    XmlDocument doc;
    if (!readXml(source, "skins.xml", "skins", doc)) {
        return false;
    }
    for (const auto& child : doc.root().findChild("skins")->children()) {
        if (child->name() != "skin") {
            continue;
        }
        UISkin skin;
        skin.name = child->attributeValue("name");
        if (skin.name.empty()) {
            continue;
        }
        skin.frameCount = parseLeadingInt(child->attributeValue("count"));
        skin.frameWidth = parseLeadingInt(child->attributeValue("width"));
        skin.frameHeight = parseLeadingInt(child->attributeValue("height"));
        skin.vertical = child->attributeValue("orientation") == "v";
        std::array<std::int32_t, 3> columns{};
        std::array<std::int32_t, 3> rows{};
        if (parseTriple(child->attributeValue("columns"), columns) &&
            parseTriple(child->attributeValue("rows"), rows)) {
            skin.columns = columns;
            skin.rows = rows;
        }
        std::string bytes;
        auto image = std::make_shared<PixelImage>();
        if (source.read("skins", skin.name + ".png", bytes) && decodeStyleImage(bytes, *image)) {
            skin.image = std::move(image);
        }
        skins_.push_back(std::move(skin));
    }
    return true;
}

bool UIStyle::readMetrics(const ResourceSource& source) {
    XmlDocument doc;
    if (!readXml(source, "metrics.xml", "metrics", doc)) {
        return false;
    }
    for (const auto& child : doc.root().findChild("metrics")->children()) {
        if (child->name() != "metric" || child->attributes().empty()) {
            continue;
        }
        metrics_.emplace_back(metricIdForName(child->attributeValue("name")),
                              parseLeadingInt(child->attributeValue("value")));
    }
    return true;
}

bool UIStyle::load(const ResourceSource& source, std::string path, SourceMode mode) {
    path_ = std::move(path);
    mode_ = mode;
    error_.clear();
    standardImages_.clear();
    skins_.clear();
    metrics_.clear();
    models_.clear();
    readStandardImages(source);
    const bool skinsRead = readSkins(source);
    const bool modelsRead = skinsRead && readXml(source, "models.xml", "models", models_);
    const bool metricsRead = modelsRead && readMetrics(source);
    if (!metricsRead) {
        return false;
    }
    if (path_.empty() || standardImages_.empty() || skins_.empty() || metrics_.empty()) {
        error_ = standardImages_.empty() ? "the package has no readable standard image"
                 : skins_.empty()        ? "skins.xml names no skin"
                 : metrics_.empty()      ? "metrics.xml holds no metric"
                                         : "the package has no path";
        return false;
    }
    return true;
}

std::int32_t UIStyle::metric(StyleMetric metric) const {
    for (const auto& [key, value] : metrics_) {
        if (key == metric) {
            return value;
        }
    }
    return 0;
}

const PixelImage* UIStyle::standardImage(StandardImage image) const {
    auto it = standardImages_.find(image);
    return it == standardImages_.end() ? nullptr : it->second.get();
}

std::shared_ptr<const PixelImage> UIStyle::sharedStandardImage(StandardImage image) const {
    auto it = standardImages_.find(image);
    return it == standardImages_.end() ? nullptr : it->second;
}

const UISkin* UIStyle::skin(std::string_view name) const {
    for (const UISkin& s : skins_) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

void UIStyle::applyTo(std::string_view styleClass, const PropertySink& property,
                      const SkinSink& skin) const {
    if (styleClass.empty()) {
        return;
    }
    if (const XmlElement* models = models_.root().findChild("models"); models && property) {
        if (styleClass == "^") {
            for (const auto& p : models->children()) {
                property(p->attributeValue("name"), p->attributeValue("data"));
            }
        } else {
            for (const auto& model : models->children()) {
                if (model->attributeValue("name") != styleClass) {
                    continue;
                }
                for (const auto& p : model->children()) {
                    property(p->attributeValue("name"), p->attributeValue("data"));
                }
                break;
            }
        }
    }
    if (!skin) {
        return;
    }
    for (const UISkin& s : skins_) {
        if (s.name.starts_with(styleClass)) {
            skin(s.name, s);
        }
    }
}

} // namespace scalora
