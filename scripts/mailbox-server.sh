#!/usr/bin/env bash
# A throw-away POP3 server on 127.0.0.1 for the mailbox's tests, benchmark and demo.
#
#   mailbox-server.sh start DIR [PORT] [--user NAME] [--password WORD] [--mail EMLDIR] [--generate N]
#   mailbox-server.sh stop DIR
#
# start writes the configuration, the password file and a maildir into DIR,
# starts the server and prints the port (a free one when PORT is not given).
# The mailbox holds the .eml files of EMLDIR in name order, or N generated
# messages, or else four sample messages. Defaults: user "demo", password "demo".
set -euo pipefail

usage() {
  sed -n '4,5p' "$0" | sed 's/^# *//' >&2
  exit 2
}

die() {
  echo "mailbox-server: $*" >&2
  exit 1
}

free_port() {
  /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

port_open() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# One message into the maildir's new/ folder; the names keep the given order.
add_message() {
  local maildir=$1 index=$2 source=$3
  cp "$source" "$maildir/new/$(printf '%010d' "$((1700000000 + index))").M${index}P$$.zaskar"
}

write_samples() {
  local out=$1
  cat >"$out/1-gb2312.eml" <<'MSG'
From: =?gb2312?B?1cXI/Q==?= <zhangsan@example.cn>
To: demo@example.cn
Subject: =?gb2312?B?1tDOxNb3zOKy4srU?=
Date: Tue, 01 Dec 2026 09:15:00 +0800
MIME-Version: 1.0
Content-Type: text/plain; charset=gb2312
Content-Transfer-Encoding: base64

1eLKx9K7t+LW0M7E08q8/qGjDQq12rb+0NChow0K
MSG
  cat >"$out/2-utf8.eml" <<'MSG'
From: =?utf-8?B?5p2O5Zub?= <lisi@example.cn>
To: demo@example.cn
Cc: wangwu@example.cn
Subject: =?utf-8?B?5L2g5aW977yM5LiW55WM?=
Date: Wed, 02 Dec 2026 10:30:00 +0800
Organization: Example Ltd
X-Priority: 1
MIME-Version: 1.0
Content-Type: text/plain; charset=utf-8
Content-Transfer-Encoding: 8bit

A message with a UTF-8 encoded subject.
MSG
  cat >"$out/3-attachments.eml" <<'MSG'
From: =?gb2312?B?1cXI/Q==?= <zhangsan@example.cn>
To: demo@example.cn
Subject: =?gb2312?B?uL28/rLiytQ=?=
Date: Thu, 03 Dec 2026 14:00:00 +0800
Disposition-Notification-To: zhangsan@example.cn
MIME-Version: 1.0
Content-Type: multipart/mixed; boundary="=_zaskar_sample"

--=_zaskar_sample
Content-Type: text/plain; charset=gb2312
Content-Transfer-Encoding: base64

x+uy6crVwb249ri9vP6how0K
--=_zaskar_sample
Content-Type: text/plain; charset=gb2312; name="=?gb2312?B?sai45g==?=.txt"
Content-Disposition: attachment; filename="=?gb2312?B?sai45g==?=.txt"
Content-Transfer-Encoding: base64

sai45sTayN2jutK7x9DV/bOjoaMNCg==
--=_zaskar_sample
Content-Type: application/octet-stream; name="data.bin"
Content-Disposition: attachment; filename="data.bin"
Content-Transfer-Encoding: base64

AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8=
--=_zaskar_sample--
MSG
  cat >"$out/4-plain.eml" <<'MSG'
From: Joe Bloggs <joe@example.com>
To: demo@example.cn
Subject: Plain message
Date: Fri, 04 Dec 2026 08:00:00 +0000

Hello,

this is a plain message without MIME.
.A line that starts with a dot.
MSG
}

generate_messages() {
  local out=$1 count=$2 i
  for ((i = 1; i <= count; i++)); do
    printf 'From: Sender %d <sender%d@example.com>\nTo: demo@example.cn\nSubject: =?gb2312?B?1tDOxNb3zOI=?= %d\nDate: Tue, 01 Dec 2026 09:15:00 +0800\nMessage-ID: <%d@example.com>\n\nBody of message %d.\n' \
      "$i" "$i" "$i" "$i" "$i" >"$out/$(printf '%06d' "$i").eml"
  done
}

cmd_start() {
  [ $# -ge 1 ] || usage
  local dir=$1
  shift
  local port="" user=demo password=demo maildrop="" generate=""
  if [ $# -gt 0 ] && [[ $1 != --* ]]; then
    port=$1
    shift
  fi
  while [ $# -gt 0 ]; do
    case $1 in
      --user) user=${2:?}; shift 2 ;;
      --password) password=${2:?}; shift 2 ;;
      --mail) maildrop=${2:?}; shift 2 ;;
      --generate) generate=${2:?}; shift 2 ;;
      *) usage ;;
    esac
  done
  command -v dovecot >/dev/null || die "dovecot not found (install dovecot-core and dovecot-pop3d)"
  [ -z "$maildrop" ] || [ -d "$maildrop" ] || die "no such directory: $maildrop"
  [ -n "$port" ] || port=$(free_port)

  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  [ ! -f "$dir/run/master.pid" ] || ! kill -0 "$(cat "$dir/run/master.pid")" 2>/dev/null ||
    die "a server already runs in $dir (stop it first)"
  rm -rf "$dir/run" "$dir/state" "$dir/home" "$dir/dovecot.log"
  mkdir -p "$dir/run" "$dir/state" "$dir/home/$user/Maildir/"{new,cur,tmp}

  local login_user=dovenull internal_user=dovecot mail_uid=nobody mail_gid=nogroup
  if [ "$(id -u)" -ne 0 ]; then
    # Without root every process runs as the caller.
    login_user=$(id -un)
    internal_user=$login_user
    mail_uid=$login_user
    mail_gid=$(id -gn)
  fi

  cat >"$dir/dovecot.conf" <<CONF
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
protocols = pop3
listen = 127.0.0.1
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain login
default_login_user = $login_user
default_internal_user = $internal_user
mail_location = maildir:~/Maildir
pop3_uidl_format = %08Xu%08Xv
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dir/passwd
}
userdb {
  driver = static
  args = uid=$mail_uid gid=$mail_gid home=$dir/home/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
}
service imap-login {
  inet_listener imap {
    port = 0
  }
}
service stats {
  unix_listener stats-reader {
    mode = 0666
  }
  unix_listener stats-writer {
    mode = 0666
  }
}
CONF
  printf '%s:{PLAIN}%s\n' "$user" "$password" >"$dir/passwd"

  local samples
  samples=$(mktemp -d)
  if [ -n "$maildrop" ]; then
    samples_from=$maildrop
  elif [ -n "$generate" ]; then
    generate_messages "$samples" "$generate"
    samples_from=$samples
  else
    write_samples "$samples"
    samples_from=$samples
  fi
  local index=0 file
  while IFS= read -r file; do
    index=$((index + 1))
    add_message "$dir/home/$user/Maildir" "$index" "$file"
  done < <(find "$samples_from" -maxdepth 1 -type f -name '*.eml' | LC_ALL=C sort)
  rm -rf "$samples"

  # The login and mail processes run as other users: let them in.
  chmod 755 "$dir"
  chmod 644 "$dir/dovecot.conf" "$dir/passwd"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R "$mail_uid:$mail_gid" "$dir/home"
    if command -v runuser >/dev/null && ! runuser -u "$internal_user" -- test -r "$dir/passwd"; then
      die "$dir must be readable by the user $internal_user (check the permissions of its parent folders)"
    fi
  fi

  dovecot -c "$dir/dovecot.conf" || die "dovecot did not start; see $dir/dovecot.log"
  local tries=0
  until port_open "$port"; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || die "dovecot does not listen on port $port; see $dir/dovecot.log"
    sleep 0.1
  done
  echo "$port" >"$dir/port"
  echo "$port"
}

cmd_stop() {
  [ $# -eq 1 ] || usage
  local dir=$1 pid
  [ -f "$dir/run/master.pid" ] || return 0
  pid=$(cat "$dir/run/master.pid")
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  die "dovecot (pid $pid) did not stop"
}

[ $# -ge 1 ] || usage
command=$1
shift
case $command in
  start) cmd_start "$@" ;;
  stop) cmd_stop "$@" ;;
  *) usage ;;
esac
