#!/usr/bin/python3
"""Writes an nginx configuration that runs the news site of deploy/news for a test:
the site's own server block, with only its address, host name, certificate and
folder replaced, inside a main configuration that keeps everything (pid, logs,
temporary files) in one folder of the build and runs as the current user.

    nginx_site_config.py SITE FOLDER PORT CERTIFICATE KEY ROOT

Writes FOLDER/nginx.conf. The access log, FOLDER/access.log, has one line per
request: "method|uri|status|user agent".
"""
import os
import re
import sys

# Directive of the site -> what the test puts in its place ("" drops it), and how
# many times the site must hold it: a site that changes shape fails the test here.
def replacements(port, certificate, key, root):
    return {
        "listen": (2, [f"listen 127.0.0.1:{port} ssl;", ""]),
        "server_name": (1, ["server_name localhost;"]),
        "ssl_certificate": (1, [f"ssl_certificate {certificate};"]),
        "ssl_certificate_key": (1, [f"ssl_certificate_key {key};"]),
        "root": (1, [f"root {root};"]),
    }


def site_for_test(site, port, certificate, key, root):
    wanted = replacements(port, certificate, key, root)
    seen = {name: 0 for name in wanted}
    lines = []
    for line in site.splitlines():
        match = re.match(r"\s*(\w+)\s", line)
        name = match.group(1) if match else None
        if name in wanted:
            count, texts = wanted[name]
            if seen[name] >= count:
                sys.exit(f"nginx_site_config: the site has more '{name}' directives than {count}")
            replacement = texts[min(seen[name], len(texts) - 1)]
            seen[name] += 1
            if replacement:
                lines.append("    " + replacement)
            continue
        lines.append(line)
    for name, (count, _) in wanted.items():
        if seen[name] != count:
            sys.exit(f"nginx_site_config: expected {count} '{name}' directives, found {seen[name]}")
    return "\n".join(lines)


def main():
    site_path, folder, port, certificate, key, root = sys.argv[1:7]
    with open(site_path) as f:
        site = site_for_test(f.read(), port, certificate, key, root)
    temp = os.path.join(folder, "temp")
    os.makedirs(temp, exist_ok=True)
    config = f"""# Made by nginx_site_config.py for a test; do not edit.
daemon off;
master_process off; # one process, the current user's, stopped by its pid
pid {folder}/nginx.pid;
error_log {folder}/error.log info;
events {{ worker_connections 64; }}
http {{
    client_body_temp_path {temp}/body;
    proxy_temp_path {temp}/proxy;
    fastcgi_temp_path {temp}/fastcgi;
    uwsgi_temp_path {temp}/uwsgi;
    scgi_temp_path {temp}/scgi;
    log_format test '$request_method|$request_uri|$status|$http_user_agent';
    access_log {folder}/access.log test;

{site}
}}
"""
    with open(os.path.join(folder, "nginx.conf"), "w") as f:
        f.write(config)


if __name__ == "__main__":
    main()
