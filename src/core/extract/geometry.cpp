#include "core/extract/geometry.hpp"

namespace zerlant {
GeometryTable geometriaentrada(const std::vector<std::string_view>&) {
    return {};
}
GeometryTable geometriaentrada(const std::vector<std::string>&) {
    return {};
}
GeometryTable geometriaoptimizada(TextRef, const std::vector<std::string_view>&) {
    return {};
}
GeometryTable geometriaoptimizada(TextRef, const std::vector<std::string>&) {
    return {};
}
}  // namespace zerlant
