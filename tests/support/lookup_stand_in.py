#!/usr/bin/env python3
"""The disc database's stand-in: lookup_stand_in.py DISCS_JSON PROGRAM [ARGUMENTS...]
runs the program with ZANTO_LOOKUP_SERVER (where it listens, on 127.0.0.1) and
ZANTO_LOOKUP_LOG (a file of one line per request, written before the answer),
and ends with it.

Discs are given by track lengths; their ids are computed here, so a wrong id
gets a 404. Per disc: "releases", "statuses" (successive codes, the last
repeated), "delay" (s), "malformed"; "gnudb": {"code": 210 or 211,
"entries": [{"dtitle", "year", "tracks"}]} for /~cddb/cddb.cgi, whose query
must name the disc's CDDB id, offsets and seconds. No program User-Agent: 403;
a path not in the service's form: 400.
"""
import base64
import hashlib
import http.server
import json
import os
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse


def offsets_of(tracks):
    """Each track's start (LBA + 150) from the lengths (mm:ss:ff), then the lead-out."""
    offsets = [150]
    for length in tracks:
        m, s, f = (int(x) for x in length.split(':'))
        offsets.append(offsets[-1] + (m * 60 + s) * 75 + f)
    return offsets


def cddb_answers(disc, tracks, gnudb):
    """What the CGI answers for this disc: its query's, then each entry's read, by command.
    Discs of one length in seconds share their CDDB id: their entries' categories differ."""
    offsets = offsets_of(tracks)
    n = sum(sum(int(d) for d in str(o // 75)) for o in offsets[:-1])
    cddb = '%08x' % ((n % 255) << 24 | (offsets[-1] // 75 - offsets[0] // 75) << 8 | len(tracks))
    query = 'cddb query %s %d %s %d' % (cddb, len(tracks), ' '.join(map(str, offsets[:-1])), offsets[-1] // 75)
    matches = ['d%de%d %s %s' % (disc, i, cddb, e['dtitle']) for i, e in enumerate(gnudb['entries'])]
    answers = {query: '%d Found matches, list follows\r\n%s\r\n.\r\n' % (gnudb['code'], '\r\n'.join(matches))}
    for i, entry in enumerate(gnudb['entries']):
        lines = ["210 d%de%d %s CD database entry follows (until terminating `.')" % (disc, i, cddb), '# xmcd']
        values = [('DTITLE', entry['dtitle']), ('DYEAR', entry.get('year', ''))]
        lines += ['%s=%s' % kv for kv in values + [('TTITLE%d' % t, v) for t, v in enumerate(entry['tracks'])]]
        answers['cddb read d%de%d %s' % (disc, i, cddb)] = '\r\n'.join(lines + ['PLAYORDER=', '.', ''])
    return answers


def gnudb(query, answers):
    """The CGI's answer, by its query string's cmd and hello."""
    fields = urllib.parse.parse_qs(query)
    hello = fields.get('hello', [''])[0].split(' ')
    if fields.get('proto') != ['6'] or len(hello) != 4 or hello[2] != 'ZantoPlayer' or '' in hello:
        return 400, '500 Command syntax error.\r\n'
    cmd = fields.get('cmd', [''])[0]
    return 200, answers.get(cmd, '202 No match.\r\n' if cmd.startswith('cddb query ') else '401 No such entry.\r\n')


def disc_id(tracks):
    offsets = offsets_of(tracks)[:-1]
    text = '%02X%02X%08X' % (1, len(tracks), offsets_of(tracks)[-1])
    text += ''.join('%08X' % o for o in (offsets + [0] * 99)[:99])
    digest = base64.b64encode(hashlib.sha1(text.encode()).digest()).decode()
    return digest.translate(str.maketrans('+/=', '._-'))


def answer(did, disc):
    """The service's answer to /ws/2/discid/<id>?inc=recordings+artist-credits."""
    return {'id': did, 'releases': [{
        'title': r['title'], 'date': r.get('date', ''), 'country': r.get('country', ''),
        'artist-credit': [{'name': r['artist'], 'joinphrase': ''}],
        'media': [{'position': 1, 'format': 'CD', 'discs': [{'id': did}], 'track-count': len(r['tracks']),
                   'tracks': [{'position': i + 1, 'number': str(i + 1), 'title': t, 'recording': {'title': t}}
                              for i, t in enumerate(r['tracks'])]}],
    } for r in disc.get('releases', [])]}


def main():
    config = json.loads(open(sys.argv[1], encoding='utf-8').read())
    discs = {disc_id(d['tracks']): d for d in config['discs']}
    answers = {}
    for n, d in enumerate(config['discs']):
        answers.update(cddb_answers(n, d['tracks'], d['gnudb']) if 'gnudb' in d else {})
    counts = {}
    log_fd, log_path = tempfile.mkstemp(prefix='lookup-requests-')

    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def reply(self, status, body):
            self.send_response(status)
            self.send_header('Content-Type', 'application/json; charset=utf-8')
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            os.write(log_fd, (self.path + '\n').encode())  # one write: whole lines from every thread
            if not self.headers.get('User-Agent', '').startswith('ZantoPlayer/'):
                return self.reply(403, b'{"error": "anonymous clients are refused"}')
            path, _, query = self.path.partition('?')
            if path == '/~cddb/cddb.cgi':
                status, text = gnudb(query, answers)
                return self.reply(status, text.encode('utf-8'))
            did = path[len('/ws/2/discid/'):]
            if not path.startswith('/ws/2/discid/') or query != 'inc=recordings+artist-credits&fmt=json':
                return self.reply(400, b'{"error": "not a disc id request"}')
            disc = discs.get(did)
            if disc is None or 'releases' not in disc:
                return self.reply(404, b'{"error": "Not Found"}')
            counts[did] = counts.get(did, 0) + 1
            statuses = disc.get('statuses', [200])
            status = statuses[min(counts[did], len(statuses)) - 1]
            time.sleep(disc.get('delay', 0))
            if status != 200:
                return self.reply(status, b'{"error": "busy"}')
            body = json.dumps(answer(did, disc), ensure_ascii=False).encode('utf-8')
            self.reply(200, body[:len(body) // 2] if disc.get('malformed') else body)

    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    env = dict(os.environ, ZANTO_LOOKUP_SERVER='http://127.0.0.1:%d' % server.server_address[1],
               ZANTO_LOOKUP_LOG='Z:' + log_path.replace('/', '\\'))
    code = subprocess.call(sys.argv[2:], env=env)
    server.shutdown()
    os.close(log_fd)
    os.unlink(log_path)
    sys.exit(code)


if __name__ == '__main__':
    main()
