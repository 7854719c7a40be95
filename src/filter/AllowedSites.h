#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rule of "only allowed sites": which top-level pages the child may open while the parent's
// switch is on. Hosts are read the way a browser engine reads them, so an address dressed up to
// look like an allowed one (a user name before "@", backslashes, percent-escapes, odd case) is
// judged by the host the engine would really contact.
namespace filter {

// The host of an http or https address, lower case, without a trailing dot, with a port and a
// user name removed; nothing for any other scheme, an address without one, or a host that is
// empty or holds what no host may hold (spaces, controls, letters outside ASCII, which an
// engine would first map to other letters).
std::optional<std::string> WebHost(std::string_view address);

// Whether `address`, which already has its scheme, may open at the top level: about:blank, or
// an http or https page whose host is the host of an allowed address or a subdomain of it. An
// allowed address without a scheme is read as http; a leading "www." on it stands for the bare
// host; one without a usable host allows nothing.
bool IsAllowedSite(std::string_view address, const std::vector<std::string>& allowedAddresses);

// Which listed address a reached page belongs to, when several share its host: the one the page
// lies under with the most of host, port and path, the first listed of equals; an address
// without a path or port holds every page of its host. A page of the host under none of them
// belongs to the first listed on its host; a page of no listed host to none.
std::optional<std::size_t> BestListedSite(std::string_view page,
                                          const std::vector<std::string>& addresses);

}  // namespace filter
