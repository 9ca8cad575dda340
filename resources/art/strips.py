#!/usr/bin/env python3
"""Writes the animation strips as SVG: frames of equal size side by side.

busy.svg  - 20 frames of 32x29: a small globe turning; frame 1 is the still frame.
about.svg - 60 frames of 64x64: a globe turning with a satellite on an inclined
            orbit, on a night-sky backdrop; the last frame leads back into the first.
Usage: strips.py OUTPUT_FOLDER
"""
import math
import sys


def meridian_paths(cx, cy, r, phase_deg, spacing_deg):
    """Visible halves of the meridians of a globe turned by phase_deg."""
    paths = []
    lon = 0.0
    while lon < 360.0:
        a = math.radians(lon + phase_deg)
        if math.cos(a) > 0.02:
            pts = []
            for i in range(0, 37):
                lat = math.radians(-90 + i * 5)
                pts.append((cx + r * math.cos(lat) * math.sin(a), cy + r * math.sin(lat)))
            paths.append("M" + " L".join(f"{x:.3f} {y:.3f}" for x, y in pts))
        lon += spacing_deg
    return paths


def latitude_paths(cx, cy, r, lats):
    out = []
    for lat_deg in lats:
        lat = math.radians(lat_deg)
        y = cy + r * math.sin(lat)
        w = r * math.cos(lat)
        out.append(f"M{cx - w:.3f} {y:.3f} H{cx + w:.3f}")
    return out


def globe(uid, cx, cy, r, phase, spacing, tilt, grid_width, outline_width):
    grid = meridian_paths(cx, cy, r, phase, spacing) + latitude_paths(cx, cy, r, (-60, -30, 0, 30, 60))
    return f"""
  <clipPath id="clip{uid}"><circle cx="{cx}" cy="{cy}" r="{r}"/></clipPath>
  <circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#sea)"/>
  <g clip-path="url(#clip{uid})" transform="rotate({tilt} {cx} {cy})" fill="none" stroke="#d8ecff" stroke-opacity="0.75" stroke-width="{grid_width}">
    {''.join(f'<path d="{d}"/>' for d in grid)}
  </g>
  <ellipse cx="{cx - r * 0.25}" cy="{cy - r * 0.45}" rx="{r * 0.55}" ry="{r * 0.32}" fill="url(#gloss)"/>
  <circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="#0a2a70" stroke-width="{outline_width}"/>"""


DEFS = """
  <radialGradient id="sea" cx="0.38" cy="0.32" r="0.75">
    <stop offset="0" stop-color="#8fd0ff"/>
    <stop offset="0.55" stop-color="#2a78d8"/>
    <stop offset="1" stop-color="#0c3384"/>
  </radialGradient>
  <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#fff" stop-opacity="0"/>
  </linearGradient>
  <radialGradient id="sky" cx="0.5" cy="0.5" r="0.7">
    <stop offset="0" stop-color="#23407a"/>
    <stop offset="1" stop-color="#070d22"/>
  </radialGradient>
  <radialGradient id="spark" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#fff"/>
    <stop offset="0.45" stop-color="#ffe27a"/>
    <stop offset="1" stop-color="#ff9a00" stop-opacity="0"/>
  </radialGradient>"""


def busy_strip():
    frames, w, h = 20, 32, 29
    parts = []
    for f in range(frames):
        # A quarter turn over the loop; meridians every 30 degrees meet up again.
        phase = 90.0 * f / frames
        parts.append(f'<g transform="translate({f * w} 0)">'
                     + globe(f"b{f}", 16, 14.5, 12.5, phase, 30, -18, 0.8, 1.0) + "</g>")
    return svg(w * frames, h, "".join(parts))


def orbit_point(cx, cy, a, rx, ry, tilt_deg):
    x, y = rx * math.cos(a), ry * math.sin(a)
    t = math.radians(tilt_deg)
    return cx + x * math.cos(t) - y * math.sin(t), cy + x * math.sin(t) + y * math.cos(t)


def about_strip():
    frames, size = 60, 64
    cx = cy = 32
    rx, ry, tilt = 29.0, 9.0, -22.0
    stars = [(6, 8, 0.9), (55, 6, 0.7), (12, 54, 0.6), (58, 50, 0.8), (48, 20, 0.5),
             (8, 30, 0.5), (27, 4, 0.6), (40, 59, 0.5), (3, 46, 0.7), (60, 33, 0.4)]
    parts = []
    for f in range(frames):
        phase = 60.0 * f / frames
        a = 2 * math.pi * f / frames
        g = [f'<g transform="translate({f * size} 0)">',
             f'<rect width="{size}" height="{size}" fill="url(#sky)"/>']
        for i, (sx, sy, o) in enumerate(stars):
            twinkle = 0.55 + 0.45 * math.cos(2 * math.pi * (f / frames * 2 + i / len(stars)))
            g.append(f'<circle cx="{sx}" cy="{sy}" r="0.7" fill="#fff" fill-opacity="{o * twinkle:.3f}"/>')
        orbit = (f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" transform="rotate({tilt} {cx} {cy})" '
                 'fill="none" stroke="#9cc8ff" stroke-opacity="0.45" stroke-width="0.8"/>')
        # The satellite and its trail: behind the globe while on the far half of the orbit.
        trail = []
        for k in range(8, -1, -1):
            ak = a - k * 0.09
            x, y = orbit_point(cx, cy, ak, rx, ry, tilt)
            behind = math.sin(ak) < 0
            radius = 2.6 if k == 0 else 1.6 - k * 0.12
            opacity = 1.0 if k == 0 else 0.55 - k * 0.055
            fill = "url(#spark)" if k == 0 else "#ffd45a"
            trail.append((behind, f'<circle cx="{x:.3f}" cy="{y:.3f}" r="{radius:.2f}" fill="{fill}" fill-opacity="{opacity:.3f}"/>'))
        g.append(orbit)
        g.extend(d for b, d in trail if b)
        g.append(globe(f"a{f}", cx, cy, 20, phase, 30, -18, 1.0, 1.2))
        g.append(f'<clipPath id="front{f}"><rect x="0" y="{cy}" width="{size}" height="{size}" transform="rotate({tilt} {cx} {cy})"/></clipPath>')
        g.append(f'<g clip-path="url(#front{f})">{orbit}</g>')
        g.extend(d for b, d in trail if not b)
        g.append("</g>")
        parts.append("".join(g))
    return svg(size * frames, size, "".join(parts))


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">'
            f"<defs>{DEFS}</defs>{body}</svg>\n")


if __name__ == "__main__":
    out = sys.argv[1]
    with open(f"{out}/busy.svg", "w") as fh:
        fh.write(busy_strip())
    with open(f"{out}/about.svg", "w") as fh:
        fh.write(about_strip())
