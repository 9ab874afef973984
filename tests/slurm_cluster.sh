# Sourced by the Slurm tests: a one-node Slurm cluster on this machine, with munge, in a folder
# of its own and on free ports, so that it meets no other Slurm or munge here. Needs root.
#   slurm_start DIR     starts munged, slurmctld and slurmd; exports SLURM_CONF; waits for the
#                       node to be idle
#   slurm_stop          cancels what is left and stops the three daemons (trap it on EXIT)

slurm_free_port() {  # a TCP port nothing listens on (no connection to it succeeds)
  local port
  while :; do
    port=$(( 20000 + RANDOM % 40000 ))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}

slurm_start() {
  local dir=$1 i
  SLURM_DIR=$dir
  mkdir -p "$dir/state" "$dir/spool" "$dir/munge"
  chmod 700 "$dir/munge"
  mungekey --create --keyfile="$dir/munge/munge.key" || return 1
  munged --key-file="$dir/munge/munge.key" --socket="$dir/munge/socket" \
    --pid-file="$dir/munge/munged.pid" --log-file="$dir/munge/munged.log" \
    --seed-file="$dir/munge/seed" --force || { cat "$dir/munge/munged.log"; return 1; }
  local cpus node=tallyforge-test
  cpus=$(nproc)
  cat >"$dir/slurm.conf" <<CONF
ClusterName=tallyforge-test
SlurmctldHost=$(hostname -s)(127.0.0.1)
SlurmctldPort=$(slurm_free_port)
SlurmdPort=$(slurm_free_port)
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
SlurmdParameters=config_overrides
NodeName=$node NodeAddr=127.0.0.1 NodeHostname=$(hostname -s) CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
  export SLURM_CONF=$dir/slurm.conf
  slurmctld -f "$SLURM_CONF" || { cat "$dir/slurmctld.log"; return 1; }
  slurmd -f "$SLURM_CONF" -N "$node" || { cat "$dir/slurmd.log"; return 1; }
  for i in $(seq 60); do
    [ "$(sinfo -h -n "$node" -o %t 2>/dev/null)" = idle ] && return 0
    sleep 1
  done
  echo "the node did not become idle:"; sinfo; tail -20 "$dir/slurmctld.log" "$dir/slurmd.log"
  return 1
}

slurm_stop() {
  [ -n "${SLURM_DIR:-}" ] || return 0
  local pidfile pid i
  scancel --full --quiet --partition=test 2>/dev/null
  # Jobs first (their steps end with them), then the daemons this file started, by their ids.
  for i in $(seq 20); do [ -z "$(squeue -h 2>/dev/null)" ] && break; sleep 0.5; done
  for pidfile in "$SLURM_DIR/slurmd.pid" "$SLURM_DIR/slurmctld.pid" "$SLURM_DIR/munge/munged.pid"; do
    pid=$(cat "$pidfile" 2>/dev/null) || continue
    kill "$pid" 2>/dev/null || continue
    for i in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
  done
  SLURM_DIR=
}
