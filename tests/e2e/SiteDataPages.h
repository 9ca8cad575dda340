#pragma once
// Pages that log in and look, for the tests of the profiles' site data. The
// cookies they set live below /sd/ only, so no other test of a run meets them.
//   /sd/login?NAME   sets the day-long cookie NAME=in and NAME in local storage,
//                    then asks for /sd/logged?NAME
//   /sd/check?TAG    asks for /sd/stored?TAG=<what local storage holds>
#include "LocalHttpServer.h"

#include <string>

inline void AddSiteDataPages(LocalHttpServer& server)
{
    server.AddPage("/sd/login", "<html><body><script>var who = location.search.slice(1);"
                                "document.cookie = who + '=in; max-age=86400; path=/sd/';"
                                "localStorage.setItem('who', who); fetch('/sd/logged?' + who);</script></body></html>");
    server.AddPage("/sd/check", "<html><body><script>fetch('/sd/stored?' + location.search.slice(1) + '=' +"
                                " localStorage.getItem('who'));</script></body></html>");
    server.AddPage("/sd/logged", "", "text/plain");
    server.AddPage("/sd/stored", "", "text/plain");
}

// Whether a Cookie header carries the login NAME=in.
inline bool LoggedIn(const std::string& cookies, const std::string& name)
{
    return (" " + cookies + ";").find(" " + name + "=in;") != std::string::npos;
}
