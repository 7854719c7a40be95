#pragma once

#include <string>
#include <string_view>

namespace filter {

// The address the web view is given for one a parent typed. Parents write addresses as they
// see them in a browser's address bar ("www.starfall.com", "localhost:8080/x"), which the view
// itself would not open: anything that does not start with http:, https: or about: gets
// "http://" in front. That also keeps other schemes (file:, javascript:, data:) from reaching
// the view as what they name.
std::string WithScheme(std::string_view address);

}  // namespace filter
